// The half-hipped, gambrel, mansard and saltbox roofs, read back with the
// B3D reader: every face plane, convex, of some area and facing out of the
// house; the gable tops on the roof planes; the eaves where the gutters are
// built; textures laid without distortion; refusals before anything is
// written.
#include "b3d/b3d_reader.h"
#include "core/errors.h"
#include "house/house_generator.h"
#include "house/roof_forms.h"
#include "support/input_builders.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace kestrane {
namespace {

using test::TempFolder;

// Points are written with three decimals.
constexpr double kTolerance = 0.002;

struct P {
    double x, y, z;
};
P operator-(const P& a, const P& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
P Cross(const P& a, const P& b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double Dot(const P& a, const P& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
double Norm(const P& a) { return std::sqrt(Dot(a, a)); }

// One face as read back, in the house frame (object offset removed).
struct ReadFace {
    std::string title;
    std::vector<P> points;
    std::vector<b3d::TexCoord> uv;
    std::string texture;
    bool twoSided;

    P Normal() const
    {
        // Newell's sum: the area-weighted normal of the whole polygon.
        P n{0, 0, 0};
        for (std::size_t i = 0; i < points.size(); ++i) {
            const P& a = points[i];
            const P& b = points[(i + 1) % points.size()];
            n = {n.x + (a.y - b.y) * (a.z + b.z), n.y + (a.z - b.z) * (a.x + b.x), n.z + (a.x - b.x) * (a.y + b.y)};
        }
        return n;  // the way cross(v1 - v0, v2 - v0) points for a convex face
    }
};

struct FormHouse {
    HouseParams params;
    std::vector<ReadFace> faces;
    std::vector<std::string> lines;

    std::vector<const ReadFace*> Titled(const std::string& part) const
    {
        std::vector<const ReadFace*> found;
        for (const ReadFace& face : faces)
            if (face.title.find(part) != std::string::npos)
                found.push_back(&face);
        return found;
    }
};

FormHouse Build(RoofKind kind, const std::function<void(HouseInput&)>& edit = {})
{
    HouseInput input;
    input.ChooseRoof(kind);
    input.offsetX = "1500";
    input.offsetY = "250";
    input.offsetZ = "-2000";
    if (edit)
        edit(input);
    FormHouse house;
    house.params = ReadHouseParams(input, UiLanguage::English);
    TempFolder folder;
    const HouseResult result = GenerateHouse(input, UiLanguage::English, folder.path());
    const std::string bytes = test::ReadFile(result.path);
    house.lines = test::Lines(bytes);
    const b3d::Model model = b3d::ReadB3d(bytes);
    EXPECT_TRUE(model.problems.empty()) << model.problems.front().text;
    const Vec3 o = house.params.offset;
    for (const b3d::Section& section : model.sections) {
        for (const b3d::Face& face : section.faces) {
            ReadFace read{house.lines.at(section.line - 2), {}, {}, section.texture, face.twoSided};
            for (const std::uint32_t corner : section.Corners(face)) {
                const auto& v = section.vertices.at(corner);
                read.points.push_back({v.x - o.x, v.y - o.y, v.z - o.z});
                if (!section.texCoords.empty())
                    read.uv.push_back(section.texCoords.at(corner));
            }
            house.faces.push_back(read);
        }
    }
    return house;
}

// The houses every form is checked on: the default, an odd one with its own
// parameters, one without overhang and one with corner walls and the
// gables' own bitmaps.
const std::vector<std::function<void(HouseInput&)>> kVariants = {
    [](HouseInput&) {},
    [](HouseInput& in) {
        test::OddFormHouse(in);
        in.clipHeight = "800";
        in.kneeHeight = "4800";
        in.kneeInset = "700";
        in.ridgeOffset = "-900";
    },
    [](HouseInput& in) { in.roofOverhang = "0"; },
    [](HouseInput& in) {
        in.cornerWallLeft = in.cornerWallRight = true;
        in.roofLevelTextureChecked = true;
        in.width = "9000";
        in.length = "7000";
    },
};

const RoofKind kForms[] = {RoofKind::HalfHipped, RoofKind::Gambrel, RoofKind::Mansard, RoofKind::Saltbox};

// Runs `check` on each form built as each of the variants.
void ForEachFormHouse(const std::function<void(RoofKind, const FormHouse&)>& check)
{
    for (const RoofKind kind : kForms) {
        for (std::size_t variant = 0; variant < kVariants.size(); ++variant) {
            SCOPED_TRACE(HouseFileName(kind, UiLanguage::English) + " variant " + std::to_string(variant));
            check(kind, Build(kind, kVariants[variant]));
        }
    }
}

bool Has(const ReadFace& face, const char* part) { return face.title.find(part) != std::string::npos; }

// The roof faces, by their titles ("Saltbox roof right", "Half-hip front").
bool IsRoof(const ReadFace& face)
{
    return (Has(face, " roof ") || Has(face, "Half-hip ")) && !Has(face, "base");
}

// Distance of `p` from the plane of `face`.
double FromPlane(const ReadFace& face, const P& p)
{
    const P n = face.Normal();
    return std::abs(Dot(n, p - face.points[0])) / Norm(n);
}

TEST(RoofForms, EveryFaceIsPlaneConvexAndFacesOutwards)
{
    ForEachFormHouse([](RoofKind, const FormHouse& house) {
        const HouseParams& p = house.params;
        const P middle{p.length / 2, p.wallHeight, 0};
        for (const ReadFace& face : house.faces) {
            // Walls, gable tops, fillers, soffit and roof; not the
            // gutters, chimney and stairs.
            if (!IsRoof(face) && !Has(face, "wall") && !Has(face, " side") && !Has(face, "base"))
                continue;
            const P n = face.Normal();
            const double area = Norm(n) / 2;
            EXPECT_GT(area, 0.01) << face.title;
            // Plane, and every corner turns the same way.
            for (const P& q : face.points)
                EXPECT_LT(FromPlane(face, q), kTolerance) << face.title;
            const std::size_t count = face.points.size();
            for (std::size_t i = 0; i < count; ++i) {
                const P& a = face.points[i];
                const P& b = face.points[(i + 1) % count];
                const P& c = face.points[(i + 2) % count];
                EXPECT_GT(Dot(Cross(b - a, c - b), n), 0.0) << face.title << " corner " << (i + 1) % count;
            }
            // Outwards: away from the middle of the house, or down for
            // the soffit under the eaves.
            P centre{0, 0, 0};
            const double share = 1.0 / static_cast<double>(count);
            for (const P& q : face.points)
                centre = {centre.x + q.x * share, centre.y + q.y * share, centre.z + q.z * share};
            if (Has(face, "base")) {
                EXPECT_LT(n.y, 0.0) << face.title;
            } else if (!IsRoof(face)) {
                const P out = centre - middle;
                EXPECT_GT(Dot(n, {out.x, 0, out.z}), 0.0) << face.title;
            } else {
                EXPECT_GT(n.y, 0.0) << face.title;
                EXPECT_GT(Dot(n, centre - middle), 0.0) << face.title;
            }
        }
    });
}

TEST(RoofForms, GableTopsMeetTheRoofAndTheRoofCloses)
{
    ForEachFormHouse([](RoofKind kind, const FormHouse& house) {
        const HouseParams& p = house.params;
        std::vector<const ReadFace*> roof;
        for (const ReadFace& face : house.faces)
            if (IsRoof(face))
                roof.push_back(&face);
        ASSERT_FALSE(roof.empty());
        const auto onRoof = [&](const P& q) {
            for (const ReadFace* face : roof)
                if (FromPlane(*face, q) < kTolerance)
                    return true;
            return false;
        };
        // Every gable-top corner stands on the wall top or lies on the
        // roof, and the tops reach the roof's height profile.
        const auto gables = house.Titled("Gable front wall");
        EXPECT_EQ(gables.size(), kind == RoofKind::Mansard ? 0u : 1u);
        for (const ReadFace* gable : house.Titled("Gable ")) {
            int up = 0;
            for (const P& q : gable->points) {
                const bool onWall = std::abs(q.y - p.wallHeight) < kTolerance;
                EXPECT_TRUE(onWall || onRoof(q)) << gable->title << " " << q.y;
                up += onWall ? 0 : 1;
            }
            EXPECT_GE(up, 1) << gable->title;
        }
        // The highest point of the roof is the roof height, the lowest the
        // eave at wall height, overhang outside the walls.
        double top = 0, bottom = 1e9;
        for (const ReadFace* face : roof)
            for (const P& q : face->points) {
                top = std::max(top, q.y);
                bottom = std::min(bottom, q.y);
            }
        EXPECT_NEAR(top, p.roofHeight, kTolerance);
        EXPECT_NEAR(bottom, p.wallHeight, kTolerance);
        // No gaps: every roof edge is shared by another roof face or lies
        // on the roof's outline (the eave line or the gable ends).
        const double X0 = -p.roofOverhang, X1 = p.length + p.roofOverhang, zE = p.width / 2 + p.roofOverhang;
        const auto outline = [&](const P& a, const P& b) {
            const auto both = [&](auto test) { return test(a) && test(b); };
            return both([&](const P& q) { return std::abs(q.x - X0) < kTolerance; }) ||
                   both([&](const P& q) { return std::abs(q.x - X1) < kTolerance; }) ||
                   both([&](const P& q) { return std::abs(std::abs(q.z) - zE) < kTolerance; });
        };
        const auto same = [](const P& a, const P& b) { return Norm(a - b) < kTolerance; };
        for (const ReadFace* face : roof) {
            const std::size_t count = face->points.size();
            for (std::size_t i = 0; i < count; ++i) {
                const P& a = face->points[i];
                const P& b = face->points[(i + 1) % count];
                bool shared = outline(a, b);
                for (const ReadFace* other : roof) {
                    if (other == face)
                        continue;
                    const std::size_t n = other->points.size();
                    for (std::size_t k = 0; k < n; ++k)
                        shared = shared || (same(other->points[k], b) && same(other->points[(k + 1) % n], a));
                }
                EXPECT_TRUE(shared) << face->title << " edge " << i;
            }
        }
    });
}

TEST(RoofForms, GuttersAndDownpipeFollowTheEaveCorners)
{
    for (const RoofKind kind : kForms) {
        SCOPED_TRACE(HouseFileName(kind, UiLanguage::English));
        const FormHouse house = Build(kind, test::OddFormHouse);
        const HouseParams& p = house.params;
        const double zE = p.width / 2 + p.roofOverhang;
        const RoofFormFaces faces = RoofFormGeometry(p);
        const EaveCorners& e = faces.eave;
        EXPECT_NEAR(e.frontRight.x, -p.roofOverhang, 1e-12);
        EXPECT_NEAR(e.frontRight.z, -zE, 1e-12);
        EXPECT_NEAR(e.backLeft.x, p.length + p.roofOverhang, 1e-12);
        EXPECT_NEAR(e.backLeft.z, zE, 1e-12);
        for (const Vec3& corner : {e.frontRight, e.frontLeft, e.backRight, e.backLeft})
            EXPECT_NEAR(corner.y, p.wallHeight, 1e-12);
        if (kind == RoofKind::Mansard) {
            // The ring's inner top edge: 0.04 inside every eave corner.
            const auto ring = house.Titled(";------Gutter------");
            ASSERT_FALSE(ring.empty());
            EXPECT_TRUE(house.Titled("Gutter right").empty());
        } else {
            const auto right = house.Titled("Gutter right");
            ASSERT_FALSE(right.empty());
            // The inner top edge runs 0.04 inside the eave line at eave height.
            bool found = false;
            for (const ReadFace* face : right)
                for (const P& q : face->points)
                    found = found || (std::abs(q.x - e.frontRight.x) < kTolerance && std::abs(q.y - p.wallHeight) < kTolerance &&
                                      std::abs(q.z - (e.frontRight.z + 0.04)) < kTolerance);
            EXPECT_TRUE(found);
        }
        EXPECT_FALSE(house.Titled("Gutter drain up").empty());

        // Without gutters: no gutter and no downpipe for any form.
        const FormHouse bare = Build(kind, [](HouseInput& in) { in.gutters = false; });
        for (const std::string& line : bare.lines)
            EXPECT_EQ(line.find("Gutter"), std::string::npos) << line;
    }
}

TEST(RoofForms, RoofBitmapsKeepTheirProportions)
{
    // Between any two corners of a roof face the texture distance is the
    // distance in metres over the bitmap's size: no stretching either way.
    ForEachFormHouse([](RoofKind, const FormHouse& house) {
        for (const ReadFace& face : house.faces) {
            if (!IsRoof(face))
                continue;
            ASSERT_EQ(face.uv.size(), face.points.size()) << face.title;
            for (std::size_t i = 0; i < face.points.size(); ++i)
                for (std::size_t k = i + 1; k < face.points.size(); ++k) {
                    const double metres = Norm(face.points[i] - face.points[k]);
                    const double texture =
                        std::hypot(face.uv[i].u - face.uv[k].u, face.uv[i].v - face.uv[k].v) * kRoofBitmapMetres;
                    EXPECT_NEAR(texture, metres, 0.01) << face.title << " corners " << i << ", " << k;
                }
            // Upright: v grows down the slope.
            for (std::size_t i = 0; i < face.points.size(); ++i)
                for (std::size_t k = 0; k < face.points.size(); ++k) {
                    if (face.points[i].y > face.points[k].y + 0.01) {
                        EXPECT_LT(face.uv[i].v, face.uv[k].v) << face.title;
                    }
                }
        }
        // The two faces of a gambrel or mansard side meet over the knee
        // with the same texture coordinates.
        for (const ReadFace* upper : house.Titled(" upper")) {
            for (const ReadFace* lower : house.Titled(" lower")) {
                if (upper->texture != lower->texture)
                    continue;
                for (std::size_t i = 0; i < upper->points.size(); ++i)
                    for (std::size_t k = 0; k < lower->points.size(); ++k)
                        if (Norm(upper->points[i] - lower->points[k]) < kTolerance) {
                            EXPECT_NEAR(upper->uv[i].u, lower->uv[k].u, 0.002) << upper->title;
                            EXPECT_NEAR(upper->uv[i].v, lower->uv[k].v, 0.002) << upper->title;
                        }
            }
        }
    });
}

TEST(RoofForms, FileNamesAndParametersOfEachForm)
{
    const std::pair<RoofKind, std::pair<const char*, const char*>> names[] = {
        {RoofKind::HalfHipped, {"haz_felkontyoltteto.b3d", "House_halfhip.b3d"}},
        {RoofKind::Gambrel, {"haz_tortnyeregteto.b3d", "House_gambrel.b3d"}},
        {RoofKind::Mansard, {"haz_manzardteto.b3d", "House_mansard.b3d"}},
        {RoofKind::Saltbox, {"haz_eltoltnyeregteto.b3d", "House_saltbox.b3d"}},
    };
    for (const auto& [kind, name] : names) {
        EXPECT_EQ(HouseFileName(kind, UiLanguage::Hungarian), name.first);
        EXPECT_EQ(HouseFileName(kind, UiLanguage::English), name.second);
    }

    // Empty boxes take the defaults; typed values are millimetres.
    HouseInput input;
    input.ChooseRoof(RoofKind::HalfHipped);
    EXPECT_NEAR(ReadHouseParams(input, UiLanguage::English).clipHeight, 3.5 / 3, 1e-12);
    input.clipHeight = "900";
    EXPECT_NEAR(ReadHouseParams(input, UiLanguage::English).clipHeight, 0.9, 1e-12);
    input.ChooseRoof(RoofKind::Gambrel);
    EXPECT_NEAR(ReadHouseParams(input, UiLanguage::English).kneeHeight, 3.5 + 0.6 * 3.5, 1e-12);
    EXPECT_NEAR(ReadHouseParams(input, UiLanguage::English).kneeInset, 1.0, 1e-12);
    input.ChooseRoof(RoofKind::Saltbox);
    EXPECT_NEAR(ReadHouseParams(input, UiLanguage::English).ridgeOffset, 1.0, 1e-12);
    input.ridgeOffset = "-1500";
    EXPECT_NEAR(ReadHouseParams(input, UiLanguage::English).ridgeOffset, -1.5, 1e-12);

    // The saltbox's ridge lies at its offset; the half-hipped gable is cut
    // flat at the clip height.
    const FormHouse saltbox = Build(RoofKind::Saltbox, [](HouseInput& in) { in.ridgeOffset = "-1500"; });
    const auto top = saltbox.Titled("Gable front wall").at(0);
    bool ridge = false;
    for (const P& q : top->points)
        ridge = ridge || (std::abs(q.y - 7.0) < kTolerance && std::abs(q.z + 1.5) < kTolerance);
    EXPECT_TRUE(ridge);
    const FormHouse halfHipped = Build(RoofKind::HalfHipped, [](HouseInput& in) { in.clipHeight = "1000"; });
    int atClip = 0;
    for (const P& q : halfHipped.Titled("Gable front wall").at(0)->points)
        atClip += std::abs(q.y - 6.0) < kTolerance ? 1 : 0;
    EXPECT_EQ(atClip, 2);
}

TEST(RoofForms, ImpossibleShapesAreRefusedNamingTheField)
{
    struct Case {
        RoofKind kind;
        std::function<void(HouseInput&)> edit;
        const char* message;
    };
    const Case cases[] = {
        {RoofKind::HalfHipped, [](HouseInput& in) { in.clipHeight = "3500"; }, "Clip height: must lie between 10 mm and 3077 mm (the clip must stay inside"},
        {RoofKind::HalfHipped, [](HouseInput& in) { in.clipHeight = "-10"; }, "Clip height: must lie between 10 mm and"},
        {RoofKind::HalfHipped, [](HouseInput& in) { in.length = "1000"; in.clipHeight = "1000"; }, "Clip height: must lie between 10 mm and 504 mm"},
        {RoofKind::Gambrel, [](HouseInput& in) { in.kneeHeight = "7500"; }, "Knee height: must lie between 3510 mm and 6990 mm (above the walls and below the ridge)."},
        {RoofKind::Gambrel, [](HouseInput& in) { in.kneeHeight = "3000"; }, "Knee height: must lie between 3510 mm"},
        {RoofKind::Gambrel, [](HouseInput& in) { in.kneeInset = "3000"; }, "Knee inset: must lie between 10 mm and 2990 mm (inside the walls, within half the width)."},
        {RoofKind::Gambrel, [](HouseInput& in) { in.kneeInset = "0"; }, "Knee inset: must lie between 10 mm"},
        {RoofKind::Gambrel, [](HouseInput& in) { in.kneeHeight = "4000"; }, "Knee height: the slope below the knee"},
        {RoofKind::Mansard, [](HouseInput& in) { in.length = "3000"; in.kneeInset = "1600"; }, "Knee inset: must lie between 10 mm and 1490 mm (inside the walls, within half the width and half the length)."},
        {RoofKind::Mansard, [](HouseInput& in) { in.roofHeight = "3500"; }, "Roof heigh: must be at least 10 mm more than the wall height"},
        {RoofKind::Gambrel, [](HouseInput& in) { in.wallHeight = "0"; }, "Height: must be at least 10 mm."},
        {RoofKind::Saltbox, [](HouseInput& in) { in.ridgeOffset = "3000"; }, "Ridge offset: must lie between -2990 mm and 2990 mm (the ridge must stay between the walls)."},
        {RoofKind::Saltbox, [](HouseInput& in) { in.roofOverhang = "-100"; }, "Overhang: must be 0 or at least 10 mm for this roof."},
        {RoofKind::Mansard, [](HouseInput& in) { in.roofOverhang = "4"; }, "Overhang: must be 0 or at least 10 mm"},
        {RoofKind::Saltbox, [](HouseInput& in) { in.ridgeOffset = "1,5"; }, "Ridge offset: \"1,5\" is not a valid number."},
    };
    for (const Case& c : cases) {
        HouseInput input;
        input.ChooseRoof(c.kind);
        c.edit(input);
        TempFolder folder;
        test::WriteFile(folder / HouseFileName(c.kind, UiLanguage::English), "previous");
        try {
            GenerateHouse(input, UiLanguage::English, folder.path());
            ADD_FAILURE() << c.message;
        } catch (const InputError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << e.what();
        }
        EXPECT_EQ(test::ReadFile(folder / HouseFileName(c.kind, UiLanguage::English)), "previous");
    }

    // The limit a refusal names is itself accepted.
    {
        HouseInput input;
        input.ChooseRoof(RoofKind::HalfHipped);
        input.clipHeight = "3077";
        TempFolder folder;
        EXPECT_NO_THROW(GenerateHouse(input, UiLanguage::English, folder.path()));
    }

    // Hungarian names the Hungarian caption; the command line adds the option.
    HouseInput input;
    input.ChooseRoof(RoofKind::Gambrel);
    input.kneeInset = "5000";
    EXPECT_THROW(
        {
            try {
                ReadHouseParams(input, UiLanguage::Hungarian);
            } catch (const InputError& e) {
                EXPECT_EQ(e.field(), "Törés beh.");
                throw;
            }
        },
        InputError);
    TempFolder folder;
    const auto run = test::RunCli({"house", "--lang", "en", "--roof", "mansard", "--knee-height", "9000"}, folder.path());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "kestrane house: --knee-height: Knee height: must lie between 3510 mm and 6990 mm (above the "
                       "walls and below the ridge).\n");
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST(RoofForms, CommandLineWritesEachFormWithItsParameters)
{
    TempFolder folder;
    const auto help = test::RunCli({"house", "--help"}, folder.path());
    for (const char* option : {"half-hipped, gambrel, mansard, saltbox", "--clip-height MM", "--knee-height MM",
                               "--knee-inset MM", "--ridge-offset MM"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;

    const std::pair<std::vector<std::string>, const char*> runs[] = {
        {{"--roof", "half-hipped", "--clip-height", "1200"}, "House_halfhip.b3d"},
        {{"--roof", "gambrel", "--knee-height", "5000", "--knee-inset", "800"}, "House_gambrel.b3d"},
        {{"--roof", "mansard", "--knee-height", "5000", "--knee-inset", "800"}, "House_mansard.b3d"},
        {{"--roof", "saltbox", "--ridge-offset", "-1500"}, "House_saltbox.b3d"},
    };
    for (const auto& [options, file] : runs) {
        std::vector<std::string> args = {"house", "--lang", "en"};
        args.insert(args.end(), options.begin(), options.end());
        const auto run = test::RunCli(args, folder.path());
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, std::string(file) + " file generating successfull\n");
        const std::string text = test::ReadableText(test::ReadFile(folder / file));
        const b3d::Model model = b3d::ReadB3d(test::ReadFile(folder / file));
        EXPECT_TRUE(model.problems.empty()) << file;
        EXPECT_TRUE(model.warnings.empty()) << file;
        // The parameter shows in the geometry: the clip at 7 - 1.2, the knee
        // 0.8 inside the right wall at 5, the ridge 1.5 right of the centre.
        const char* expected = options[1] == "half-hipped" ? ", 5.800, 1.1"
                               : options[1] == "saltbox"   ? " 7.000,-1.500"
                                                           : " 5.000,-2.200";
        EXPECT_NE(text.find(expected), std::string::npos) << file << " " << expected;
    }
    // A Hungarian refusal names the caption and the option.
    const auto refused = test::RunCli({"house", "--lang", "hu", "--roof", "saltbox", "--ridge-offset", "4000"}, folder.path());
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("Gerinc elt.: -2990 mm és 2990 mm között kell legyen (a gerinc a falak között kell maradjon)."), std::string::npos) << refused.err;
    EXPECT_EQ(refused.err.rfind("kestrane house: --ridge-offset: Gerinc elt.: ", 0), 0u) << refused.err;
}

TEST(RoofForms, EveryCombinationReadsBackWithoutProblems)
{
    int combination = 0;
    for (const RoofKind kind : kForms)
        for (const bool gutters : {true, false})
            for (int cornerWalls = 0; cornerWalls < 4; ++cornerWalls)
                for (const bool roofLevelTexture : {false, true}) {
                    HouseInput input;
                    input.ChooseRoof(kind);
                    input.gutters = gutters;
                    input.cornerWallLeft = (cornerWalls & 1) != 0;
                    input.cornerWallRight = (cornerWalls & 2) != 0;
                    input.roofLevelTextureChecked = roofLevelTexture;
                    input.roof.use = input.wall.use = (combination % 3) == 0;
                    input.stairSide = combination % 4;
                    input.stairCorner = (combination + 1) % 4;
                    input.roofOverhang = combination % 5 == 0 ? "0" : "400";
                    const UiLanguage language = combination % 2 ? UiLanguage::English : UiLanguage::Hungarian;
                    ++combination;
                    SCOPED_TRACE(HouseFileName(kind, language) + " combination " + std::to_string(combination));
                    TempFolder folder;
                    const HouseResult result = GenerateHouse(input, language, folder.path());
                    const b3d::Model model = b3d::ReadB3dFile(result.path);
                    EXPECT_TRUE(model.problems.empty()) << model.problems.front().text;
                    EXPECT_TRUE(model.warnings.empty());
                    // Every section holds a face: the simulator drops the others.
                    for (const b3d::Section& section : model.sections)
                        EXPECT_FALSE(section.faces.empty()) << "line " << section.line;
                    const std::string text = test::ReadableText(test::ReadFile(result.path));
                    EXPECT_EQ(text.find("7.bmp") != std::string::npos, roofLevelTexture && kind != RoofKind::Mansard);
                    EXPECT_EQ(text.find("corner wall") != std::string::npos || text.find("sarokfal") != std::string::npos,
                              cornerWalls != 0);
                }
}

}  // namespace
}  // namespace kestrane
