// Whether the roofs meet the walls: the points of a generated house are
// read back from its vertex lines and checked against the roof planes and
// the eave corners the gutters are built from.
#include "house/house_generator.h"
#include "support/input_builders.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <string_view>
#include <vector>

namespace kestrane {
namespace {

using test::OddHouse;

using test::Lines;
using test::ReadFile;
using test::TempFolder;

// Three decimals per coordinate: points read back are this close.
constexpr double kTolerance = 0.002;

// One mesh section: the title comment last seen before it, and its points
// in the house frame (translate applied, object offset removed).
struct Mesh {
    std::string title;
    std::vector<Vec3> points;
};

struct House {
    HouseParams params;
    std::vector<Mesh> meshes;
    EaveCorners eave;
    double eaveRise;
    HouseCorners corners;

    std::vector<const Mesh*> Titled(const std::string& title) const
    {
        std::vector<const Mesh*> found;
        for (const Mesh& mesh : meshes)
            if (mesh.title == title)
                found.push_back(&mesh);
        return found;
    }
    const Mesh& Named(const std::string& title) const
    {
        const auto found = Titled(title);
        if (found.empty())
            throw std::runtime_error("no section " + title);
        return *found.front();
    }
};

Vec3 ReadPoint(std::string_view text)
{
    Vec3 p;
    double* const fields[] = {&p.x, &p.y, &p.z};
    const char* at = text.data();
    const char* const end = text.data() + text.size();
    for (double* field : fields) {
        while (at < end && (*at == ' ' || *at == ','))
            ++at;
        at = std::from_chars(at, end, *field).ptr;
    }
    return p;
}

Vec3 operator+(const Vec3& a, const Vec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator-(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

// The whole house of `input`, written and read back.
House Build(RoofKind kind, void (*edit)(HouseInput&) = nullptr)
{
    HouseInput input;
    input.ChooseRoof(kind);
    input.offsetX = "1500";
    input.offsetY = "250";
    input.offsetZ = "-2000";
    if (edit)
        edit(input);
    House house{ReadHouseParams(input, UiLanguage::English), {}, {}, 0.0, {}};

    TempFolder folder;
    B3dWriter out;
    out.OpenOutput(folder / "house.b3d");
    HouseGenerator generator(out, house.params, UiLanguage::English);
    const HouseFlow flow = generator.WriteHouse("house.b3d");
    out.CloseOutput();
    house.eave = flow.roof.eave;
    house.eaveRise = flow.roof.eaveRise;
    house.corners = DeriveHouseCorners(house.params);
    house.corners.frontRightTop.y = flow.roof.rightWallTop;

    std::string title;
    std::vector<Vec3> relative;
    for (const std::string& line : Lines(ReadFile(folder / "house.b3d"))) {
        if (line.starts_with(";")) {
            title = line;
        } else if (line.starts_with("[meshbuilder]")) {
            house.meshes.push_back({title, {}});
        } else if (line.starts_with("vertex ")) {
            house.meshes.back().points.push_back(ReadPoint(std::string_view(line).substr(7)));
        } else if (line.starts_with("translate ")) {
            // The vertex lines of a translated mesh are relative to it.
            const Vec3 at = ReadPoint(std::string_view(line).substr(10));
            for (Vec3& p : house.meshes.back().points)
                p = p + at;
        }
    }
    // Every point now carries the object offset once.
    for (Mesh& mesh : house.meshes)
        for (Vec3& p : mesh.points)
            p = p - house.params.offset;
    return house;
}

// Distance of `p` from the plane through the first three points of `face`.
double FromPlane(const Mesh& face, const Vec3& p) { return test::DistanceFromPlane(face.points, p); }

void ExpectNear(const Vec3& actual, const Vec3& expected, const std::string& what)
{
    EXPECT_NEAR(actual.x, expected.x, kTolerance) << what;
    EXPECT_NEAR(actual.y, expected.y, kTolerance) << what;
    EXPECT_NEAR(actual.z, expected.z, kTolerance) << what;
}

bool HasPoint(const Mesh& mesh, const Vec3& p)
{
    for (const Vec3& q : mesh.points)
        if (std::abs(q.x - p.x) < kTolerance && std::abs(q.y - p.y) < kTolerance && std::abs(q.z - p.z) < kTolerance)
            return true;
    return false;
}

// How many points of `mesh` lie on the plane of `face`.
int OnPlane(const Mesh& face, const Mesh& mesh)
{
    int count = 0;
    for (const Vec3& p : mesh.points)
        count += FromPlane(face, p) < kTolerance ? 1 : 0;
    return count;
}

// A four-cornered face is plane.
void ExpectPlane(const Mesh& face)
{
    if (face.points.size() == 4) {
        EXPECT_LT(FromPlane(face, face.points[3]), kTolerance) << face.title;
    }
}

// The eave corners the gutters expect from a pitched, hip or pyramid roof.
void ExpectRingEaves(const House& house)
{
    const HouseParams& p = house.params;
    const double OV = p.roofOverhang > 0 ? p.roofOverhang : 0.0;
    const double h = p.width / 2 + OV;
    const double H = p.wallHeight;
    ExpectNear(house.eave.frontRight, {-OV, H, -h}, "front right eave");
    ExpectNear(house.eave.frontLeft, {-OV, H, h}, "front left eave");
    ExpectNear(house.eave.backRight, {p.length + OV, H, -h}, "back right eave");
    ExpectNear(house.eave.backLeft, {p.length + OV, H, h}, "back left eave");
}

TEST(RoofGeometry, GableShouldersLieOnThePitchedRoof)
{
    for (auto edit : {+[](HouseInput&) {}, +[](HouseInput& in) { OddHouse(in); },
                      +[](HouseInput& in) { in.roofOverhang = "0"; }}) {
        const House house = Build(RoofKind::Pitched, edit);
        const Mesh& right = house.Named(";------Piched roof right------");
        const Mesh& left = house.Named(";------Piched roof left------");
        ExpectPlane(right);
        ExpectPlane(left);
        // Front and back gable: bottom, bottom, shoulder, ridge, shoulder.
        for (const Mesh* wall : {&house.Named(";------Front wall------"), &house.Named(";------Behind wall------")}) {
            const bool front = wall->points[0].x == 0.0;
            const Mesh& firstSide = front ? left : right;
            const Mesh& lastSide = front ? right : left;
            EXPECT_LT(FromPlane(firstSide, wall->points[2]), kTolerance) << wall->title;
            EXPECT_LT(FromPlane(right, wall->points[3]), kTolerance) << wall->title;
            EXPECT_LT(FromPlane(left, wall->points[3]), kTolerance) << wall->title;
            EXPECT_LT(FromPlane(lastSide, wall->points[4]), kTolerance) << wall->title;
            EXPECT_NEAR(wall->points[2].y, house.params.wallHeight + house.eaveRise, kTolerance);
        }
        // The fillers close the gap under the roof between the shoulder, the
        // wall top below it and the eave line.
        for (const char* title : {";------Piched roof front side------", ";------Piched roof behind side------"}) {
            const auto fillers = house.Titled(title);
            EXPECT_EQ(fillers.size(), house.params.roofOverhang > 0 ? 2u : 0u);
            for (const Mesh* filler : fillers) {
                const Mesh& side = filler->points[2].z < 0 ? right : left;
                EXPECT_LT(FromPlane(side, filler->points[2]), kTolerance) << title;
                EXPECT_EQ(OnPlane(side, *filler), 2) << title;
                const Vec3 top = filler->points[2];
                EXPECT_TRUE(HasPoint(*filler, {top.x, house.params.wallHeight, top.z})) << title;
            }
        }
        ExpectRingEaves(house);
        EXPECT_TRUE(HasPoint(right, house.eave.frontRight) && HasPoint(right, house.eave.backRight));
        EXPECT_TRUE(HasPoint(left, house.eave.frontLeft) && HasPoint(left, house.eave.backLeft));
    }
}

TEST(RoofGeometry, GableTrianglesLieUnderThePitchedRoof)
{
    for (auto edit : {+[](HouseInput& in) { in.roofLevelTextureChecked = true; },
                      +[](HouseInput& in) { OddHouse(in); in.roofLevelTextureChecked = true; }}) {
        const House house = Build(RoofKind::Pitched, edit);
        const Mesh& right = house.Named(";------Piched roof right------");
        const Mesh& left = house.Named(";------Piched roof left------");
        for (const Mesh* gable : {&house.Named(";------Gable front wall------"),
                                  &house.Named(";------Gable behind wall------")}) {
            for (const Vec3& p : gable->points)
                EXPECT_LT(std::min(FromPlane(right, p), FromPlane(left, p)), kTolerance) << gable->title;
        }
        EXPECT_TRUE(house.Titled(";------Piched roof front side------").empty());
        ExpectRingEaves(house);
    }
}

TEST(RoofGeometry, PyramidAndHipFacesStartAtTheEaveCorners)
{
    for (auto edit : {+[](HouseInput&) {}, +[](HouseInput& in) { OddHouse(in); },
                      +[](HouseInput& in) { in.roofOverhang = "-300"; }}) {
        const House pyramid = Build(RoofKind::Pyramid, edit);
        ExpectRingEaves(pyramid);
        const Vec3 apex{pyramid.params.length / 2, pyramid.params.roofHeight, 0};
        for (const char* title : {";------Piramyd roof front------", ";------Piramyd roof right------",
                                  ";------Piramyd roof behind------", ";------Piramyd roof left------"}) {
            const Mesh& face = pyramid.Named(title);
            ExpectNear(face.points[2], apex, title);
            EXPECT_NEAR(face.points[0].y, pyramid.params.wallHeight, kTolerance) << title;
        }
        EXPECT_TRUE(HasPoint(pyramid.Named(";------Piramyd roof front------"), pyramid.eave.frontRight));
        EXPECT_TRUE(HasPoint(pyramid.Named(";------Piramyd roof behind------"), pyramid.eave.backLeft));

        const House hip = Build(RoofKind::Hip, edit);
        ExpectRingEaves(hip);
        const HouseParams& p = hip.params;
        const Mesh& right = hip.Named(";------Hip roof right------");
        const Mesh& left = hip.Named(";------Hip roof left------");
        ExpectPlane(right);
        ExpectPlane(left);
        ExpectNear(right.points[2], {p.hipDepth, p.roofHeight, 0}, "front ridge end");
        ExpectNear(right.points[3], {p.length - p.hipDepth, p.roofHeight, 0}, "back ridge end");
        EXPECT_TRUE(HasPoint(right, hip.eave.frontRight) && HasPoint(right, hip.eave.backRight));
        EXPECT_TRUE(HasPoint(left, hip.eave.frontLeft) && HasPoint(left, hip.eave.backLeft));
        // The hip triangles share their eave and ridge corners with the sides.
        for (const Vec3& corner : hip.Named(";------Hip roof front------").points)
            EXPECT_TRUE(HasPoint(right, corner) || HasPoint(left, corner));
        for (const Vec3& corner : hip.Named(";------Hip roof behind------").points)
            EXPECT_TRUE(HasPoint(right, corner) || HasPoint(left, corner));
    }
}

TEST(RoofGeometry, LeanWallsMeetTheLeanRoof)
{
    for (auto edit : {+[](HouseInput&) {}, +[](HouseInput& in) { OddHouse(in); },
                      +[](HouseInput& in) { in.roofOverhang = "0"; }}) {
        const House house = Build(RoofKind::Lean, edit);
        const HouseParams& p = house.params;
        const Mesh& roof = house.Named(";------Lean roof------");
        ExpectPlane(roof);
        // The top edge of every wall: its vertices 2 and 3.
        for (const char* title : {";------Front wall------", ";------Right wall------", ";------Behind wall------",
                                  ";------Left wall------"}) {
            const Mesh& wall = house.Named(title);
            EXPECT_LT(FromPlane(roof, wall.points[2]), kTolerance) << title;
            EXPECT_LT(FromPlane(roof, wall.points[3]), kTolerance) << title;
        }
        // The eave the lean gutter and the downpipe are built from.
        const double e = p.roofOverhang > 0 ? (p.roofHeight - p.wallHeight) / p.width * p.roofOverhang : 0.0;
        EXPECT_NEAR(house.eaveRise, e, 1e-12);
        const double z = -p.width / 2 - p.roofOverhang;
        ExpectNear(house.eave.frontRight, {0, p.wallHeight - e, z}, "front right eave");
        ExpectNear(house.eave.backRight, {p.length, p.wallHeight - e, z}, "back right eave");
        EXPECT_NEAR(house.corners.frontRightTop.y, p.wallHeight - e, 1e-12);
        EXPECT_TRUE(HasPoint(roof, house.eave.frontRight) && HasPoint(roof, house.eave.backRight));
        // The fillers run from the eave corner to the right wall's top.
        for (const char* title : {";------Lean roof side front------", ";------Lean roof side behind------"}) {
            const auto fillers = house.Titled(title);
            EXPECT_EQ(fillers.size(), p.roofOverhang > 0 ? 1u : 0u);
            for (const Mesh* filler : fillers) {
                const double x = filler->points[0].x;
                EXPECT_TRUE(HasPoint(*filler, {x, p.wallHeight, -p.width / 2})) << title;
                EXPECT_TRUE(HasPoint(*filler, {x, p.wallHeight - e, z})) << title;
                EXPECT_EQ(OnPlane(roof, *filler), 2) << title;
            }
        }
    }
}

TEST(RoofGeometry, LeanGablePartsReachTheRoof)
{
    const House house = Build(RoofKind::Lean, [](HouseInput& in) { in.roofLevelTextureChecked = true; });
    const Mesh& roof = house.Named(";------Lean roof------");
    const double H = house.params.wallHeight;
    for (const char* title : {";------Gable front wall------", ";------Gable behind wall------",
                              ";------Gable left wall------"}) {
        // Standing on the wall tops, reaching up to the roof.
        int onRoof = 0;
        for (const Vec3& p : house.Named(title).points) {
            EXPECT_TRUE(std::abs(p.y - H) < kTolerance || FromPlane(roof, p) < kTolerance) << title;
            onRoof += FromPlane(roof, p) < kTolerance ? 1 : 0;
        }
        EXPECT_GE(onRoof, 2) << title;
    }
}

}  // namespace
}  // namespace kestrane
