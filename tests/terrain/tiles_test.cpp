// The simulator layout read back: the same surface, colours, sidedness and
// texture placement as the cell layout for random shaped grids, tiles that
// share their boundaries and keep within the simulator's limits, the file
// set and its index, stale tiles, failures and refusals.
#include "terrain/terrain_generator.h"
#include "terrain/terrain_state.h"
#include "terrain/terrain_tiles.h"

#include "b3d/b3d_reader.h"
#include "b3d/b3d_tile_set.h"
#include "core/errors.h"
#include "core/replacing_file.h"
#include "core/numbers.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <map>
#include <random>
#include <set>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kestrane {
namespace {

using test::Lines;
using test::ReadFile;
using test::TempFolder;

// ---------------------------------------------------------------------------
// Triangles as a model describes them, comparable across layouts

using Millimetres = std::array<long long, 3>;

Millimetres ToMillimetres(const Vec3& p)
{
    return {std::llround(p.x * 1000), std::llround(p.y * 1000), std::llround(p.z * 1000)};
}

struct Triangle {
    std::array<Millimetres, 3> corners;  // in the order of the face
    std::array<int, 3> color{};          // -1: no Color line
    bool twoSided = false;
    std::string texture;
    // The corners' texture coordinates less the whole numbers below them:
    // where in the image each corner falls, in thousandths.
    std::array<std::array<long long, 2>, 3> uv{};

    auto operator<=>(const Triangle&) const = default;
};

// Turns the triangle's corners round (keeping their order round it) so that
// the least comes first: triangles compare equal whichever corner a face
// started from.
Triangle StartingFromLeast(Triangle t)
{
    const auto least = std::min_element(t.corners.begin(), t.corners.end()) - t.corners.begin();
    std::rotate(t.corners.begin(), t.corners.begin() + least, t.corners.end());
    std::rotate(t.uv.begin(), t.uv.begin() + least, t.uv.end());
    return t;
}

// The triangles of every face, a face of more corners cut into a fan from
// its first corner as the loader cuts it.
std::vector<Triangle> Triangles(const b3d::Model& model)
{
    std::vector<Triangle> triangles;
    for (const b3d::Section& section : model.sections) {
        for (const b3d::Face& face : section.faces) {
            const auto all = section.Corners(face);
            EXPECT_GE(all.size(), 3u);
            for (std::size_t fan = 1; fan + 1 < all.size(); ++fan) {
                const std::array<std::uint32_t, 3> corners{all[0], all[fan], all[fan + 1]};
                Triangle t;
                t.twoSided = face.twoSided;
                t.color = section.hasColor ? std::array<int, 3>{section.color.r, section.color.g, section.color.b}
                                           : std::array<int, 3>{-1, -1, -1};
                t.texture = section.texture;
                double lowU = 1e300, lowV = 1e300;
                for (std::size_t k = 0; k < 3; ++k) {
                    t.corners[k] = ToMillimetres(section.vertices[corners[k]]);
                    if (!section.texCoords.empty()) {
                        lowU = std::min(lowU, section.texCoords[corners[k]].u);
                        lowV = std::min(lowV, section.texCoords[corners[k]].v);
                    }
                }
                if (!section.texCoords.empty()) {
                    for (std::size_t k = 0; k < 3; ++k) {
                        const b3d::TexCoord& uv = section.texCoords[corners[k]];
                        t.uv[k] = {std::llround((uv.u - std::floor(lowU)) * 1000),
                                   std::llround((uv.v - std::floor(lowV)) * 1000)};
                    }
                }
                triangles.push_back(StartingFromLeast(t));
            }
        }
    }
    std::sort(triangles.begin(), triangles.end());
    return triangles;
}

// The plan (X, Z) turn of a triangle's corners: positive when it is seen
// from above (the loader shows a face where its corners run clockwise).
double PlanTurn(const Triangle& t)
{
    const auto& [a, b, c] = t.corners;
    return static_cast<double>(b[2] - a[2]) * static_cast<double>(c[0] - a[0]) -
           static_cast<double>(b[0] - a[0]) * static_cast<double>(c[2] - a[2]);
}

// Every face of four corners (a cell or a block of cells) is flat and
// convex enough to be one (QuadOf, its cases tested on their own), seen from above when one-sided.
// Returns how many there were.
std::size_t ExpectQuadsFlatAndConvex(const b3d::Model& model)
{
    std::size_t quads = 0;
    for (const b3d::Section& section : model.sections) {
        for (const b3d::Face& face : section.faces) {
            const auto corners = section.Corners(face);
            if (corners.size() != 4)
                continue;
            ++quads;
            std::array<MillimetrePoint, 4> q;
            for (std::size_t k = 0; k < 4; ++k) {
                const auto [x, y, z] = ToMillimetres(section.vertices[corners[k]]);
                q[k] = {x, y, z};
            }
            const CellQuad kind = QuadOf(q[0], q[1], q[2], q[3]);
            EXPECT_TRUE(kind == CellQuad::Up || (face.twoSided && kind == CellQuad::Down)) << "line " << section.line;
        }
    }
    return quads;
}

// The triangles of a model in plan, found by the point: a face's fan
// triangles each keep the face's number, colour, texture and sidedness.
class PlanIndex {
public:
    explicit PlanIndex(const b3d::Model& model)
    {
        for (const b3d::Section& section : model.sections) {
            for (const b3d::Face& face : section.faces) {
                const auto all = section.Corners(face);
                for (std::size_t fan = 1; fan + 1 < all.size(); ++fan) {
                    Placed t;
                    t.face = faces_;
                    t.section = &section;
                    t.twoSided = face.twoSided;
                    const std::uint32_t corners[3] = {all[0], all[fan], all[fan + 1]};
                    for (int k = 0; k < 3; ++k) {
                        t.p[k] = section.vertices[corners[k]];
                        if (!section.texCoords.empty())
                            t.uv[k] = section.texCoords[corners[k]];
                    }
                    area_ += Area(t.p);
                    if (fan == 1)
                        outline_ += Distance(t.p[0], t.p[1]);
                    outline_ += Distance(t.p[1], t.p[2]);
                    if (fan + 2 == all.size())
                        outline_ += Distance(t.p[2], t.p[0]);
                    triangles_.push_back(t);
                }
                ++faces_;
            }
        }
        for (const Placed& t : triangles_) {
            for (const Vec3& p : t.p) {
                low_ = {std::min(low_.x, p.x), 0, std::min(low_.z, p.z)};
                high_ = {std::max(high_.x, p.x), 0, std::max(high_.z, p.z)};
            }
        }
        buckets_.resize(kBuckets * kBuckets);
        for (std::size_t n = 0; n < triangles_.size(); ++n) {
            const auto& p = triangles_[n].p;
            const auto [x0, z0] = Bucket({std::min({p[0].x, p[1].x, p[2].x}), 0, std::min({p[0].z, p[1].z, p[2].z})});
            const auto [x1, z1] = Bucket({std::max({p[0].x, p[1].x, p[2].x}), 0, std::max({p[0].z, p[1].z, p[2].z})});
            for (int bx = x0; bx <= x1; ++bx)
                for (int bz = z0; bz <= z1; ++bz)
                    buckets_[static_cast<std::size_t>(bx) * kBuckets + bz].push_back(n);
        }
    }

    // What lies at `point` (plan position and height within 3 mm) in the
    // colour and texture of `like`: how many faces, and the texture
    // coordinate (less whole numbers) of the first.
    struct Found {
        std::size_t faces = 0;
        b3d::TexCoord uv;
    };
    Found At(const Vec3& point, const b3d::Section& like) const
    {
        Found found;
        std::set<std::size_t> faces;
        const auto [bx, bz] = Bucket(point);
        for (const std::size_t n : buckets_[static_cast<std::size_t>(bx) * kBuckets + bz]) {
            const Placed& t = triangles_[n];
            const auto& p = t.p;
            const double d = (p[1].x - p[0].x) * (p[2].z - p[0].z) - (p[2].x - p[0].x) * (p[1].z - p[0].z);
            if (std::abs(d) < 1e-9 || t.section->color != like.color || t.section->texture != like.texture)
                continue;
            const double b1 = ((point.x - p[0].x) * (p[2].z - p[0].z) - (p[2].x - p[0].x) * (point.z - p[0].z)) / d;
            const double b2 = ((p[1].x - p[0].x) * (point.z - p[0].z) - (point.x - p[0].x) * (p[1].z - p[0].z)) / d;
            const double b0 = 1 - b1 - b2;
            if (b0 < -1e-9 || b1 < -1e-9 || b2 < -1e-9)
                continue;
            if (std::abs(b0 * p[0].y + b1 * p[1].y + b2 * p[2].y - point.y) > 0.003)
                continue;
            if (faces.insert(t.face).second && faces.size() == 1) {
                const auto fraction = [](double v) { return v - std::floor(v + 1e-9); };
                found.uv = {fraction(b0 * t.uv[0].u + b1 * t.uv[1].u + b2 * t.uv[2].u),
                            fraction(b0 * t.uv[0].v + b1 * t.uv[1].v + b2 * t.uv[2].v)};
            }
        }
        found.faces = faces.size();
        return found;
    }
    double TotalArea() const { return area_; }
    // The length of all faces' outlines.
    double TotalOutline() const { return outline_; }
    static double Distance(const Vec3& a, const Vec3& b)
    {
        return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
    }
    static double Area(const std::array<Vec3, 3>& p)
    {
        const Vec3 u{p[1].x - p[0].x, p[1].y - p[0].y, p[1].z - p[0].z};
        const Vec3 v{p[2].x - p[0].x, p[2].y - p[0].y, p[2].z - p[0].z};
        const double x = u.y * v.z - u.z * v.y, y = u.z * v.x - u.x * v.z, z = u.x * v.y - u.y * v.x;
        return std::sqrt(x * x + y * y + z * z) / 2;
    }

private:
    static constexpr int kBuckets = 128;
    struct Placed {
        std::array<Vec3, 3> p;
        std::array<b3d::TexCoord, 3> uv{};
        const b3d::Section* section = nullptr;
        std::size_t face = 0;
        bool twoSided = false;
    };
    std::pair<int, int> Bucket(const Vec3& p) const
    {
        const auto at = [](double v, double low, double high) {
            const double share = high > low ? (v - low) / (high - low) : 0.0;
            return std::clamp(static_cast<int>(share * kBuckets), 0, kBuckets - 1);
        };
        return {at(p.x, low_.x, high_.x), at(p.z, low_.z, high_.z)};
    }
    std::vector<Placed> triangles_;
    std::vector<std::vector<std::size_t>> buckets_;
    Vec3 low_{1e300, 0, 1e300}, high_{-1e300, 0, -1e300};
    std::size_t faces_ = 0;
    double area_ = 0.0;
    double outline_ = 0.0;
};

// The simulator layout covers the cell layout's surface: the same area, and
// the middle of every cell triangle lies in as many faces of the same
// colour, height and texture placement in both (one, where the grid does not
// fold over itself). A face of many cells runs straight past their nodes
// within a millimetre (kBlockMostOffLattice): the area may differ by that
// much along the outlines, the texture placement by that much across a
// cell. Every face is seen from above when one-sided.
void ExpectSameSurface(const b3d::Model& layout, const b3d::Model& reference)
{
    const PlanIndex placed(layout), cells(reference);
    const double rounding = kBlockMostOffLattice / 1000.0;
    EXPECT_NEAR(placed.TotalArea(), cells.TotalArea(), rounding * placed.TotalOutline() + 1e-6 * cells.TotalArea());
    std::size_t wrong = 0;
    for (const b3d::Section& section : reference.sections) {
        for (const b3d::Face& face : section.faces) {
            const auto all = section.Corners(face);
            ASSERT_EQ(all.size(), 3u);
            const std::array<Vec3, 3> p{section.vertices[all[0]], section.vertices[all[1]], section.vertices[all[2]]};
            const Vec3 middle{(p[0].x + p[1].x + p[2].x) / 3, (p[0].y + p[1].y + p[2].y) / 3,
                              (p[0].z + p[1].z + p[2].z) / 3};
            const PlanIndex::Found here = placed.At(middle, section), there = cells.At(middle, section);
            const double shortest = std::min({PlanIndex::Distance(p[0], p[1]), PlanIndex::Distance(p[1], p[2]),
                                              PlanIndex::Distance(p[2], p[0])});
            const double most = 1e-3 + 2 * rounding / shortest;
            const auto near = [most](double a, double b) {
                const double d = std::abs(a - b);
                return d < most || std::abs(d - 1) < most;
            };
            if (there.faces == 0)
                continue;  // a cell without area in plan
            const bool uvMatches = there.faces > 1 || (near(here.uv.u, there.uv.u) && near(here.uv.v, there.uv.v));
            if (here.faces != there.faces || !uvMatches) {
                if (++wrong < 4)
                    ADD_FAILURE() << "at " << middle.x << "," << middle.y << "," << middle.z << ": " << here.faces
                                  << " faces, " << there.faces << " cells; uv " << here.uv.u << "," << here.uv.v
                                  << " against " << there.uv.u << "," << there.uv.v;
            }
        }
    }
    EXPECT_EQ(wrong, 0u);
    for (const b3d::Section& section : layout.sections) {
        for (const b3d::Face& face : section.faces) {
            const auto all = section.Corners(face);
            for (std::size_t fan = 1; fan + 1 < all.size() && !face.twoSided; ++fan) {
                Triangle t;
                t.corners = {ToMillimetres(section.vertices[all[0]]), ToMillimetres(section.vertices[all[fan]]),
                             ToMillimetres(section.vertices[all[fan + 1]])};
                EXPECT_GE(PlanTurn(t), 0) << "line " << section.line;
            }
        }
    }
}

// The coordinate as FormatReal prints it, in millimetres.
long long PrintedMillimetres(double metres)
{
    std::string text = FormatReal(metres, 0);
    text.erase(std::remove(text.begin(), text.end(), '.'), text.end());
    return std::stoll(text);
}

// ---------------------------------------------------------------------------
// Inputs

// The full-size terrain of the benchmark: 100 x 1000 cells, eight coloured
// peaks, a curve.
TerrainInput FullSize()
{
    TerrainInput input;
    input.areaX = "1000";
    input.areaZ = "10000";
    input.resolutionX = "100";
    input.resolutionZ = "1000";
    input.slopeX = "5";
    input.slopeZ = "-20";
    input.offsetX = "-500";
    input.offsetY = "2.5";
    input.curveX = "30";
    input.curveZ1 = "300";
    input.curveZ2 = "600";
    const char* rows[8][4] = {
        {"20", "100", "15", "10"}, {"50", "200", "-8", "25"}, {"80", "400", "20", "30"}, {"30", "500", "5", "5"},
        {"60", "700", "12", "40"}, {"10", "800", "-6", "15"}, {"90", "900", "9", "20"}, {"50", "950", "30", "60"},
    };
    for (int k = 0; k < 8; ++k) {
        input.peaks[k] = {rows[k][0], rows[k][1], rows[k][2], rows[k][3],
                          {static_cast<std::uint8_t>(30 * k), 200, static_cast<std::uint8_t>(250 - 30 * k)}};
    }
    return input;
}

std::string Number(double value)
{
    std::string text = FormatReal(value, 0);
    return text;
}

// A random shaped grid: sizes, slopes, offset, peaks with colours from a
// small palette (so that colours repeat) or any colour, sometimes a curve,
// sometimes no colour or no texture, sometimes a tile length.
TerrainInput RandomInput(std::mt19937& random)
{
    const auto uniform = [&](double low, double high) { return std::uniform_real_distribution<double>(low, high)(random); };
    const auto whole = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    TerrainInput input;
    const int rx = whole(1, 40), rz = whole(1, 160);
    input.resolutionX = std::to_string(rx);
    input.resolutionZ = std::to_string(rz);
    input.areaX = Number(uniform(1, 400));
    input.areaZ = Number(uniform(1, 1600));
    input.slopeX = Number(uniform(-20, 20));
    input.slopeZ = Number(uniform(-50, 50));
    input.offsetX = Number(uniform(-1000, 1000));
    input.offsetY = Number(uniform(-100, 100));
    input.offsetZ = Number(uniform(-1000, 1000));
    const ColorRgb palette[] = {{200, 40, 40}, {40, 40, 200}, {250, 250, 0}};
    const bool anyColour = whole(0, 1) == 1;
    for (int k = 0; k < whole(0, 8); ++k) {
        TerrainPeakInput& peak = input.peaks[k];
        peak.gridX = Number(uniform(0, rx + 2));
        peak.gridZ = Number(uniform(0, rz + 2));
        peak.height = Number(uniform(-30, 30));
        peak.width = Number(uniform(0.5, 40));
        peak.color = anyColour ? ColorRgb{static_cast<std::uint8_t>(whole(0, 255)),
                                          static_cast<std::uint8_t>(whole(0, 255)),
                                          static_cast<std::uint8_t>(whole(0, 255))}
                               : palette[whole(0, 2)];
    }
    if (whole(0, 2) == 0 && rz >= 4) {
        const int z1 = whole(1, rz - 2);
        input.curveX = Number(uniform(-20, 20));
        input.curveZ1 = std::to_string(z1);
        input.curveZ2 = std::to_string(whole(z1 + 1, rz));
    }
    input.useColor = whole(0, 4) != 0;
    input.baseColor = {static_cast<std::uint8_t>(whole(0, 255)), 140, 40};
    input.texture = whole(0, 3) == 0 ? "" : "a.bmp";
    input.tileLength = whole(0, 1) == 0 ? "0" : Number(uniform(1, 400));
    input.twoSided = whole(0, 2) == 0;
    return input;
}

class TilesTest : public ::testing::Test {
protected:
    // Generates the cell layout into `cells` and the simulator layout into
    // `tiles`; returns the number of tiles.
    int GenerateBoth(const TerrainInput& input)
    {
        TerrainInput asCells = input;
        asCells.layout = TerrainLayout::Cells;
        generator.Generate(asCells, UiLanguage::English, cells.path());
        TerrainInput asTiles = input;
        asTiles.layout = TerrainLayout::Simulator;
        const TerrainResult result = generator.Generate(asTiles, UiLanguage::English, tiles.path());
        return result.tiles;
    }
    // The simulator layout in `folder` read back: the tile set, or domb.b3d
    // as a set of one tile at the origin.
    static b3d::TileSet ReadLayout(const TempFolder& folder)
    {
        if (std::filesystem::exists(folder / kTileIndexFileName))
            return b3d::ReadTileSet(folder / kTileIndexFileName);
        b3d::TileSet set;
        set.model = b3d::ReadB3dFile(folder / "domb.b3d");
        set.tiles.push_back({"domb.b3d", {}});
        set.mostVertices = set.model.vertexCount;
        return set;
    }
    static std::vector<std::string> Entries(const TempFolder& folder) { return test::EntryNames(folder.path()); }
    // Every file's name and bytes.
    std::map<std::string, std::string> Contents(const TempFolder& folder) const
    {
        std::map<std::string, std::string> contents;
        for (const auto& name : Entries(folder))
            contents[name] = ReadFile(folder / name);
        return contents;
    }
    // Every tile within the simulator's limits, as planned, without
    // problems or empty sections, no section above its faces.
    void ExpectWithinLimits(const b3d::TileSet& set, const std::vector<TerrainTile>& plan)
    {
        const std::size_t mostFaces =
            generator.state().params.twoSided ? kSectionMostFacesTwoSided : kSectionMostFaces;
        ASSERT_EQ(set.tiles.size(), plan.size());
        EXPECT_TRUE(set.model.problems.empty()) << set.model.problems.front().text;
        for (std::size_t k = 0; k < set.tiles.size(); ++k) {
            const b3d::Model tile = b3d::ReadB3dFile(tiles / set.tiles[k].file);
            EXPECT_LE(tile.vertexCount, kTileMostVertices);
            EXPECT_LE(tile.sections.size(), kTileMostSections);
            EXPECT_LE(tile.vertexCount, plan[k].vertices) << set.tiles[k].file;  // nodes inside a face left out
            EXPECT_EQ(tile.sections.size(), plan[k].sections) << set.tiles[k].file;
            for (const b3d::Section& section : tile.sections) {
                EXPECT_FALSE(section.faces.empty()) << set.tiles[k].file << " line " << section.line;
                EXPECT_LE(section.faces.size(), mostFaces) << set.tiles[k].file << " line " << section.line;
            }
        }
    }

    TempFolder cells, tiles;
    TerrainGenerator generator;
};

// ---------------------------------------------------------------------------
// The same surface

TEST_F(TilesTest, RandomGridsGiveTheSameSurfaceAsTheCellLayout)
{
    std::mt19937 random(20261207);
    std::size_t quads = 0;
    for (int round = 0; round < 24; ++round) {
        const TerrainInput input = RandomInput(random);
        SCOPED_TRACE("round " + std::to_string(round) + ", resolution " + input.resolutionX + "x" +
                     input.resolutionZ + ", tile length " + input.tileLength);
        const int count = GenerateBoth(input);
        const b3d::TileSet set = ReadLayout(tiles);
        EXPECT_EQ(static_cast<int>(set.tiles.size()), count);
        const b3d::Model reference = b3d::ReadB3dFile(cells / "domb.b3d");
        const auto expected = Triangles(reference);
        ASSERT_EQ(expected.size(), 2u * std::stoul(input.resolutionX) * std::stoul(input.resolutionZ));
        ExpectSameSurface(set.model, reference);
        quads += ExpectQuadsFlatAndConvex(set.model);
        ExpectWithinLimits(set, PlanTerrainTiles(generator.state()));
        EXPECT_LE(set.model.vertexCount, reference.vertexCount);
    }
    EXPECT_GT(quads, 1000u);  // the planes between the peaks
}

TEST_F(TilesTest, FlatBlocksAreOneFaceEachBentCellsJoinOnlyWithoutTexture)
{
    TerrainInput input;
    input.resolutionX = "40";
    input.resolutionZ = "120";
    input.areaX = "400";
    input.areaZ = "1200";
    input.slopeX = "4";
    input.slopeZ = "-12";
    input.texture = "";
    GenerateBoth(input);
    b3d::Model flat = ReadLayout(tiles).model;
    ExpectSameSurface(flat, b3d::ReadB3dFile(cells / "domb.b3d"));
    for (const b3d::Section& section : flat.sections)
        EXPECT_EQ(section.faces.size(), 1u) << "line " << section.line;

    // A bend: its cells are trapezoids; without a texture a column of them
    // may be one face, with one they stay cells (the image would shear).
    input.resolutionZ = "60";
    input.areaZ = "600";
    input.curveX = "60";
    input.curveZ1 = "10";
    input.curveZ2 = "50";
    input.slopeZ = "0";  // bent cells flat
    std::size_t faces[2] = {0, 0};
    for (const bool textured : {false, true}) {
        input.texture = textured ? "a.bmp" : "";
        GenerateBoth(input);
        const b3d::Model bent = ReadLayout(tiles).model;
        ExpectSameSurface(bent, b3d::ReadB3dFile(cells / "domb.b3d"));
        faces[textured] = bent.faceCount;
    }
    EXPECT_LT(faces[0], faces[1]);
}

TEST(CellQuad, OnlyWithinAMillimetreOfAPlaneAndConvex)
{
    // A square cell of 10 m, its corners in either turn, one corner lifted.
    const auto square = [](long long lift, bool reversed) {
        const MillimetrePoint p0{0, 0, 0}, p1{0, 0, 10000}, p2{10000, 0, 10000}, p3{10000, lift, 0};
        return reversed ? QuadOf(p0, p3, p2, p1) : QuadOf(p0, p1, p2, p3);
    };
    EXPECT_EQ(square(1, false), CellQuad::Up);
    EXPECT_EQ(square(-1, true), CellQuad::Down);
    EXPECT_EQ(square(2, false), CellQuad::None);
    // Cells from 10 cm to 1 km, level or rising 1 in 2 along X: a lift far
    // inside or far beyond the millimetre decides as one near it does.
    for (const long long size : {100LL, 10000LL, 1000000LL}) {
        for (const long long rise : {0LL, size / 2}) {
            for (const long long lift : {0LL, 1LL, -1LL, 2LL, -3LL, 1000LL, -size}) {
                const CellQuad kind = QuadOf({0, 0, 0}, {0, 0, size}, {size, rise, size}, {size, rise + lift, 0});
                EXPECT_EQ(kind, std::llabs(lift) <= 1 ? CellQuad::Up : CellQuad::None)
                    << size << " " << rise << " " << lift;
            }
        }
    }
    // A dart (P3 pushed in past the diagonal) and a corner on a line.
    EXPECT_EQ(QuadOf({0, 0, 0}, {0, 0, 10000}, {10000, 0, 10000}, {2000, 0, 6000}), CellQuad::None);
    EXPECT_EQ(QuadOf({0, 0, 0}, {0, 0, 10000}, {0, 0, 20000}, {10000, 0, 0}), CellQuad::None);
}

TEST_F(TilesTest, FullSizeIsTheSameSurfaceInTilesWithinTheLimits)
{
    const int count = GenerateBoth(FullSize());
    EXPECT_GT(count, 1);
    const b3d::TileSet set = ReadLayout(tiles);
    const b3d::Model reference = b3d::ReadB3dFile(cells / "domb.b3d");
    EXPECT_EQ(reference.sections.size(), 100000u);
    ExpectSameSurface(set.model, reference);
    const auto triangles = Triangles(set.model);
    // One-sided ground, every triangle seen from above (the curve folds
    // some cells over: they are turned back up).
    EXPECT_TRUE(std::all_of(triangles.begin(), triangles.end(),
                            [](const Triangle& t) { return !t.twoSided && PlanTurn(t) >= 0; }));
    ExpectWithinLimits(set, PlanTerrainTiles(generator.state()));
    EXPECT_LT(set.model.vertexCount * 2, reference.vertexCount);
    // The colours of the cells, none lost to wrapping material numbers.
    std::set<std::array<int, 3>> colours, referenceColours;
    for (const auto& section : set.model.sections)
        colours.insert({section.color.r, section.color.g, section.color.b});
    for (const auto& section : reference.sections)
        referenceColours.insert({section.color.r, section.color.g, section.color.b});
    EXPECT_EQ(colours, referenceColours);
}

TEST_F(TilesTest, NeighbouringTilesShareTheirBoundaryNodesExactly)
{
    TerrainInput input = FullSize();
    input.tileLength = "250";  // 25 columns of 10 m
    input.layout = TerrainLayout::Simulator;
    generator.Generate(input, UiLanguage::Hungarian, tiles.path());
    const auto plan = PlanTerrainTiles(generator.state());
    ASSERT_GE(plan.size(), 40u);
    const TerrainGeneratorState& state = generator.state();
    const b3d::TileSet set = b3d::ReadTileSet(tiles / kTileIndexFileName);
    // The vertices of tile k, each file read on its own and moved to the
    // origin the index gives.
    const auto placed = [&](std::size_t k) {
        std::set<Millimetres> vertices;
        const Vec3& origin = set.tiles[k].origin;
        for (const b3d::Section& section : b3d::ReadB3dFile(tiles / set.tiles[k].file).sections)
            for (const auto& p : section.vertices)
                vertices.insert(ToMillimetres({p.x + origin.x, p.y + origin.y, p.z + origin.z}));
        return vertices;
    };
    for (std::size_t k = 0; k + 1 < plan.size(); ++k) {
        ASSERT_EQ(plan[k].lastColumn, plan[k + 1].firstColumn);
        const std::set<Millimetres> here = placed(k), next = placed(k + 1);
        const int j = plan[k].lastColumn;
        for (int i = 1; i <= 101; ++i) {
            const GridNode& n = state.node(i, j);
            const Millimetres printed{PrintedMillimetres(n.x - 500), PrintedMillimetres(n.y + 2.5),
                                      PrintedMillimetres(n.z)};
            EXPECT_TRUE(here.count(printed) && next.count(printed)) << "tile " << k + 1 << ", row " << i;
        }
        // The origin is the tile's left front node.
        const GridNode& corner = state.node(1, plan[k + 1].firstColumn);
        EXPECT_EQ(ToMillimetres(set.tiles[k + 1].origin),
                  (Millimetres{PrintedMillimetres(corner.x - 500), PrintedMillimetres(corner.y + 2.5),
                               PrintedMillimetres(corner.z)}));
    }
}

// ---------------------------------------------------------------------------
// The files

TEST_F(TilesTest, OneTileIsDombB3dWithSharedNodesAndTextureCoordinates)
{
    TerrainInput input;
    input.layout = TerrainLayout::Simulator;
    input.resolutionX = "2";
    input.resolutionZ = "2";
    input.areaX = "10";
    input.areaZ = "10";
    input.peaks[0] = {"1", "1", "1", "1", {200, 0, 0}};  // cell 1.1 red
    input.twoSided = true;
    const TerrainResult result = generator.Generate(input, UiLanguage::English, tiles.path());
    EXPECT_EQ(result.path, tiles / "domb.b3d");
    EXPECT_EQ(result.tiles, 1);
    EXPECT_EQ(result.status, "Domb.B3d file generating successfull");
    EXPECT_EQ(Entries(tiles), std::vector<std::string>{"domb.b3d"});
    const std::string expected =
        ";Buildig generating program, Area builder module.\n"
        ";Kestrane Builder 0.95 - generated scenery object\n"
        ";Null point on left front corner\n"
        ";The correct texturing is a your job!\n"
        ";Parameters:\n"
        ";Area:   10.000x  10.000m\n"
        ";Resolution:    2.000x   2.000\n"
        ";\n"
        ";Tile: 1 of 1, origin: 0.000,0.000,0.000 m\n"
        "[Meshbuilder];1\n"
        "Vertex  0.000, 1.000, 0.000\n"
        "Vertex  0.000, 0.000, 5.000\n"
        "Vertex  5.000, 0.000, 5.000\n"
        "Vertex  5.000, 0.000, 0.000\n"
        "Face2 0,1,2\n"
        "Face2 3,0,2\n"
        "Color 200,0,0\n"
        "[texture]\n"
        "load a.bmp\n"
        "Coordinates 0,0,2\n"
        "Coordinates 1,0,1\n"
        "Coordinates 2,1,1\n"
        "Coordinates 3,1,2\n"
        ";\n"
        "[Meshbuilder];2\n"
        "Vertex  0.000, 0.000, 5.000\n"
        "Vertex  0.000, 0.000,10.000\n"
        "Vertex  5.000, 0.000,10.000\n"  // on the edge: kept for a neighbouring tile
        "Vertex  5.000, 0.000, 5.000\n"
        "Vertex  5.000, 0.000, 0.000\n"
        "Vertex 10.000, 0.000, 5.000\n"
        "Vertex 10.000, 0.000, 0.000\n"
        "Vertex 10.000, 0.000,10.000\n"
        "Face2 0,1,7,5\n"  // cells 1.2 and 2.2, one flat square
        "Face2 4,3,5,6\n"
        "Color 40,140,40\n"
        "[texture]\n"
        "load a.bmp\n"
        "Coordinates 0,0,1\n"
        "Coordinates 1,0,0\n"
        "Coordinates 2,1,0\n"
        "Coordinates 3,1,1\n"
        "Coordinates 4,1,2\n"
        "Coordinates 5,2,1\n"
        "Coordinates 6,2,2\n"
        "Coordinates 7,2,0\n"
        ";\n";
    EXPECT_EQ(test::ReadableText(ReadFile(tiles / "domb.b3d")), expected);
}

TEST_F(TilesTest, LargeColoursAreCutIntoBlocksSmallOnesStayWhole)
{
    TerrainInput input;
    input.layout = TerrainLayout::Simulator;
    input.resolutionX = "60";
    input.resolutionZ = "120";
    input.areaX = "600";
    input.areaZ = "1200";
    input.texture = "";
    input.peaks[0] = {"30", "60", "5", "3", {200, 0, 0}};  // a few cells tinted toward red
    for (const bool twoSided : {false, true}) {
        input.twoSided = twoSided;
        generator.Generate(input, UiLanguage::English, tiles.path());
        const SectionBlock block = SectionBlockOf(generator.state());
        const std::size_t mostFaces = twoSided ? kSectionMostFacesTwoSided : kSectionMostFaces;
        EXPECT_LE(2u * block.rows * block.columns, mostFaces);
        EXPECT_GT(4u * block.rows * (block.columns + 1), mostFaces);  // not much smaller
        const b3d::TileSet set = ReadLayout(tiles);
        std::map<std::array<int, 3>, std::size_t> sections;  // per colour
        for (const b3d::Section& section : set.model.sections) {
            ++sections[{section.color.r, section.color.g, section.color.b}];
            for (const b3d::Face& face : section.faces)
                EXPECT_EQ(face.twoSided, twoSided);
        }
        // The base colour: one section per block of the grid (in one tile).
        ASSERT_EQ(set.tiles.size(), 1u) << twoSided;
        const std::size_t blocks =
            static_cast<std::size_t>((60 + block.rows - 1) / block.rows) * ((120 + block.columns - 1) / block.columns);
        const std::array<int, 3> base{40, 140, 40};
        EXPECT_EQ(sections[base], blocks) << twoSided;
        // Each tinted colour covers a few cells: one section.
        EXPECT_GT(sections.size(), 2u);
        for (const auto& [colour, count] : sections) {
            if (colour != base) {
                EXPECT_EQ(count, 1u);
            }
        }
        ExpectWithinLimits(set, PlanTerrainTiles(generator.state()));
    }
}

TEST_F(TilesTest, TileLengthCutsAlongZAndTheIndexPlacesEveryTile)
{
    TerrainInput input;
    input.layout = TerrainLayout::Simulator;
    input.areaX = "20";
    input.resolutionX = "4";
    input.areaZ = "100";
    input.resolutionZ = "40";  // cells of 2.5 m
    input.offsetX = "-10";
    input.offsetY = "1.25";
    input.offsetZ = "1000";
    input.slopeZ = "-4";
    input.tileLength = "25";  // ten cells
    const TerrainResult result = generator.Generate(input, UiLanguage::English, tiles.path());
    EXPECT_EQ(result.path, tiles / "domb_tiles.txt");
    EXPECT_EQ(result.tiles, 4);
    EXPECT_EQ(result.status, "Domb tiles generated: 4 files and domb_tiles.txt");
    EXPECT_EQ(Entries(tiles), (std::vector<std::string>{"domb_001.b3d", "domb_002.b3d", "domb_003.b3d",
                                                        "domb_004.b3d", "domb_tiles.txt"}));
    EXPECT_EQ(test::ReadableText(ReadFile(tiles / "domb_tiles.txt")),
              ";Buildig generating program, Area builder module: the tiles of domb.\n"
              ";Kestrane Builder 0.95 - generated scenery object\n"
              ";File, origin X, Y, Z in metres; the object's vertices are relative to its origin.\n"
              "domb_001.b3d,-10.000,1.250,1000.000\n"
              "domb_002.b3d,-10.000,0.250,1025.000\n"
              "domb_003.b3d,-10.000,-0.750,1050.000\n"
              "domb_004.b3d,-10.000,-1.750,1075.000\n");
    const auto lines = Lines(ReadFile(tiles / "domb_002.b3d"));
    EXPECT_EQ(lines[8], ";Tile: 2 of 4, origin: -10.000,0.250,1025.000 m");
    EXPECT_EQ(lines[10], "Vertex  0.000, 0.000, 0.000");  // the origin itself
    // The tile is one flat face: its next node down the first column (the
    // nodes inside the face are left out).
    EXPECT_EQ(lines[11], "Vertex  5.000, 0.000, 0.000");

    // A tile length that the cells do not divide: whole cells, never longer.
    input.resolutionZ = "10";  // cells of 10 m: two a tile
    EXPECT_EQ(generator.Generate(input, UiLanguage::English, tiles.path()).tiles, 5);
    // Shorter than a cell: one cell a tile.
    input.tileLength = "0.5";
    EXPECT_EQ(generator.Generate(input, UiLanguage::English, tiles.path()).tiles, 10);
    // Long enough for everything: domb.b3d alone.
    input.tileLength = "100";
    EXPECT_EQ(generator.Generate(input, UiLanguage::English, tiles.path()).tiles, 1);
}

TEST_F(TilesTest, HungarianHeaderAndIndex)
{
    TerrainInput input;
    input.layout = TerrainLayout::Simulator;
    input.tileLength = "10";
    const TerrainResult result = generator.Generate(input, UiLanguage::Hungarian, tiles.path());
    EXPECT_EQ(result.status, "Domb csempék generálása kész: 3 fájl és domb_tiles.txt");
    const auto index = Lines(ReadFile(tiles / "domb_tiles.txt"));
    EXPECT_EQ(index[0], ";Házgeneráló program, terepépítő modul: a domb csempéi.");
    EXPECT_EQ(index[3], "domb_001.b3d,0.000,0.000,0.000");
    EXPECT_EQ(index[5], "domb_003.b3d,0.000,0.000,20.000");
    const auto lines = Lines(ReadFile(tiles / "domb_003.b3d"));
    EXPECT_EQ(lines[5], ";Alapterület:   25.000x  25.000m");
    EXPECT_EQ(lines[8], ";Csempe: 3 / 3, origó: 0.000,0.000,20.000 m");
}

TEST_F(TilesTest, GridWithoutCellsIsAHeaderOnlyDombB3d)
{
    TerrainInput input;
    input.layout = TerrainLayout::Simulator;
    input.resolutionX = "0.4";
    generator.Generate(input, UiLanguage::English, tiles.path());
    EXPECT_EQ(Lines(ReadFile(tiles / "domb.b3d")).size(), 9u);
}

// ---------------------------------------------------------------------------
// Replacing a set

TEST_F(TilesTest, StaleTilesGoOnlyWhenTheNewSetIsComplete)
{
    test::WriteFile(tiles / "domb_notes.txt", "mine");
    test::WriteFile(tiles / "domb_01.b3d", "not a tile of ours");
    test::WriteFile(tiles / "domb_001.B3D", "not ours either");
    TerrainInput input;
    input.layout = TerrainLayout::Simulator;
    input.areaZ = input.resolutionZ = "20";
    input.tileLength = "2";
    EXPECT_EQ(generator.Generate(input, UiLanguage::English, tiles.path()).tiles, 10);
    EXPECT_TRUE(std::filesystem::exists(tiles / "domb_010.b3d"));

    input.tileLength = "5";
    EXPECT_EQ(generator.Generate(input, UiLanguage::English, tiles.path()).tiles, 4);
    EXPECT_EQ(Entries(tiles), (std::vector<std::string>{"domb_001.B3D", "domb_001.b3d", "domb_002.b3d",
                                                        "domb_003.b3d", "domb_004.b3d", "domb_01.b3d",
                                                        "domb_notes.txt", "domb_tiles.txt"}));
    EXPECT_EQ(Lines(ReadFile(tiles / "domb_tiles.txt")).size(), 3u + 4u);

    input.tileLength = "0";
    EXPECT_EQ(generator.Generate(input, UiLanguage::English, tiles.path()).tiles, 1);
    EXPECT_EQ(Entries(tiles), (std::vector<std::string>{"domb.b3d", "domb_001.B3D", "domb_01.b3d",
                                                        "domb_notes.txt"}));

    // The cell layout leaves a tile set alone (the set took the single
    // domb.b3d's place, the cell layout's domb.b3d comes beside it).
    input.tileLength = "5";
    generator.Generate(input, UiLanguage::English, tiles.path());
    const auto set = Contents(tiles);
    EXPECT_EQ(set.count("domb.b3d"), 0u);
    input.layout = TerrainLayout::Cells;
    generator.Generate(input, UiLanguage::English, tiles.path());
    EXPECT_EQ(Contents(tiles).size(), set.size() + 1);
    EXPECT_EQ(Contents(tiles).at("domb_tiles.txt"), set.at("domb_tiles.txt"));
}

TEST_F(TilesTest, OnlyTilesAnEarlierIndexListedAreRemoved)
{
    // Files of the tile pattern that no index of ours listed, and an index
    // that names other files, a path outside and a tile of its own.
    test::WriteFile(tiles / "domb_007.b3d", "a user's object");
    test::WriteFile(tiles / "keep.b3d", "kept");
    test::WriteFile(tiles / "domb_tiles.txt", ";planted\r\nkeep.b3d,0,0,0\r\n../outside.b3d,0,0,0\r\n"
                                             "domb_002.b3d,0,0,0\r\n");
    test::WriteFile(tiles / "domb_002.b3d", "listed");
    TerrainInput input;
    input.layout = TerrainLayout::Simulator;
    EXPECT_EQ(generator.Generate(input, UiLanguage::English, tiles.path()).tiles, 1);
    EXPECT_EQ(Entries(tiles), (std::vector<std::string>{"domb.b3d", "domb_007.b3d", "keep.b3d"}));
    EXPECT_EQ(ReadFile(tiles / "domb_007.b3d"), "a user's object");
}

TEST_F(TilesTest, FailedGenerationLeavesThePreviousSetIntact)
{
    // The previous set: five tiles.
    TerrainInput input;
    input.layout = TerrainLayout::Simulator;
    input.tileLength = "5";
    generator.Generate(input, UiLanguage::English, tiles.path());
    const auto previous = Contents(tiles);
    ASSERT_EQ(previous.size(), 6u);

    // A new set of eight whose last tile is by far the largest: many
    // colours there. Its sizes, written elsewhere first.
    TerrainInput larger = input;
    larger.areaZ = larger.resolutionZ = "40";
    larger.peaks[0] = {"5", "39", "5", "4", {250, 0, 0}};
    larger.peaks[1] = {"12", "40", "-3", "4", {0, 0, 250}};
    larger.peaks[2] = {"19", "39", "2", "4", {250, 250, 0}};
    larger.peaks[3] = {"24", "40", "1", "3", {0, 250, 250}};
    const TempFolder elsewhere;
    ASSERT_EQ(generator.Generate(larger, UiLanguage::English, elsewhere.path()).tiles, 8);
    std::uintmax_t others = 0;
    for (int k = 1; k <= 7; ++k)
        others = std::max(others, std::filesystem::file_size(elsewhere / TerrainTileFileName(k, 8)));
    const std::uintmax_t last = std::filesystem::file_size(elsewhere / "domb_008.b3d");
    ASSERT_GT(last, others + 4096);

    // Files may not grow beyond the others: the last tile fails as a full
    // disk would, after seven tiles were complete.
    struct rlimit saved {};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = saved;
    limit.rlim_cur = static_cast<rlim_t>(others + 2048);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    try {
        generator.Generate(larger, UiLanguage::English, tiles.path());
        ADD_FAILURE() << "no failure";
    } catch (const OutputError& e) {
        EXPECT_STREQ(e.what(), "Disk full");
        EXPECT_NE(e.path().find("domb_008.b3d"), std::string::npos) << e.path();
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedHandler);
    EXPECT_TRUE(Contents(tiles) == previous);

    // A tile name taken by a folder: refused before anything is written.
    std::filesystem::create_directory(tiles / "domb_007.b3d");
    EXPECT_THROW(generator.Generate(larger, UiLanguage::English, tiles.path()), OutputError);
    std::filesystem::remove(tiles / "domb_007.b3d");
    EXPECT_TRUE(Contents(tiles) == previous);

    // Without the limit the new set replaces the old one.
    generator.Generate(larger, UiLanguage::English, tiles.path());
    EXPECT_EQ(Contents(tiles), Contents(elsewhere));
}

// ---------------------------------------------------------------------------
// Refusals

TEST_F(TilesTest, RefusalsNameTheFieldAndWriteNothing)
{
    TerrainInput input;
    input.layout = TerrainLayout::Simulator;
    input.tileLength = "5";
    generator.Generate(input, UiLanguage::English, tiles.path());
    const auto previous = Contents(tiles);
    const auto expectRefused = [&](const TerrainInput& bad, UiLanguage language, const std::string& field,
                                   const std::string& part) {
        try {
            generator.Generate(bad, language, tiles.path());
            ADD_FAILURE() << "not refused: " << field;
        } catch (const InputError& e) {
            EXPECT_EQ(e.field(), field);
            EXPECT_NE(std::string(e.what()).find(part), std::string::npos) << e.what();
        }
        EXPECT_TRUE(Contents(tiles) == previous) << field;
    };
    TerrainInput bad = input;
    bad.tileLength = "25 m";
    expectRefused(bad, UiLanguage::English, "Tile length", "\"25 m\" is not a valid number.");
    expectRefused(bad, UiLanguage::Hungarian, "Csempehossz", "\"25 m\" nem érvényes szám.");
    bad.tileLength = "-25";
    expectRefused(bad, UiLanguage::English, "Tile length", "negative");
    expectRefused(bad, UiLanguage::Hungarian, "Csempehossz", "negatív");
    // The refusals of the cell layout stay.
    bad = input;
    bad.resolutionZ = "1001";
    expectRefused(bad, UiLanguage::English, "Resolution Z", "at most 1000");
    bad = input;
    bad.texture = "a\nb.bmp";
    expectRefused(bad, UiLanguage::English, "Texture name", "control character");
    bad = input;
    bad.offsetZ = "2e9";  // beyond what the tiles can hold in millimetres
    expectRefused(bad, UiLanguage::English, "", "too large");

    // The cell layout does not read the tile length.
    bad = input;
    bad.layout = TerrainLayout::Cells;
    bad.tileLength = "no";
    EXPECT_NO_THROW(generator.Generate(bad, UiLanguage::English, cells.path()));
}

// Fails the publication of a set at step `failingStep` (see
// ReplacementGroup::SetStepHookForTesting).
std::size_t failingStep = 0;
void FailAtStep(std::size_t step)
{
    if (step == failingStep)
        throw std::runtime_error("injected");
}

// What a reader of the folder finds: the index names only complete tiles
// of one set (each tile's own line agrees with the index on its number, the
// count and its origin), or there is no index; no temporary file stays.
void ExpectOneWholeSetOrNone(const std::filesystem::path& folder, const std::string& context)
{
    for (const auto& name : test::EntryNames(folder))
        EXPECT_NE(name.front(), '.') << context << ": " << name;
    if (!std::filesystem::exists(folder / "domb_tiles.txt"))
        return;
    std::vector<std::string> listed;
    for (const std::string& line : Lines(ReadFile(folder / "domb_tiles.txt")))
        if (!line.empty() && line.front() != ';')
            listed.push_back(line);
    for (std::size_t k = 0; k < listed.size(); ++k) {
        const std::string file = listed[k].substr(0, listed[k].find(','));
        const std::string origin = listed[k].substr(listed[k].find(',') + 1);
        ASSERT_TRUE(std::filesystem::exists(folder / file)) << context << ": " << file;
        const std::string own = ";Tile: " + std::to_string(k + 1) + " of " + std::to_string(listed.size()) +
                                ", origin: " + origin + " m";
        EXPECT_NE(ReadFile(folder / file).find(own), std::string::npos) << context << ": " << file << " lacks " << own;
    }
}

TEST_F(TilesTest, AFailureAtAnyStepOfAReplacementLeavesOneWholeSetOrNone)
{
    // From 10 tiles to 4 (another offset, so the sets differ), to the
    // single file, and from it to 10 tiles.
    struct Change {
        const char* fromLength;
        const char* toLength;
    };
    ReplacementGroup::SetStepHookForTesting(FailAtStep);
    for (const Change change : {Change{"2", "5"}, Change{"2", "0"}, Change{"0", "2"}}) {
        for (failingStep = 0;; ++failingStep) {
            const std::string context =
                std::string(change.fromLength) + " m -> " + change.toLength + " m, step " + std::to_string(failingStep);
            std::filesystem::remove_all(tiles.path());
            std::filesystem::create_directory(tiles.path());
            TerrainInput input;
            input.layout = TerrainLayout::Simulator;
            input.areaZ = input.resolutionZ = "20";
            input.tileLength = change.fromLength;
            const std::size_t keep = failingStep;
            failingStep = 1000;  // the earlier set goes in whole
            generator.Generate(input, UiLanguage::English, tiles.path());
            failingStep = keep;
            input.tileLength = change.toLength;
            input.offsetY = "7";
            bool published = true;
            try {
                generator.Generate(input, UiLanguage::English, tiles.path());
            } catch (const OutputError&) {
                published = false;
            }
            ExpectOneWholeSetOrNone(tiles.path(), context);
            if (published) {
                // The new set alone: no single file beside a set.
                EXPECT_NE(std::filesystem::exists(tiles / "domb.b3d"),
                          std::filesystem::exists(tiles / "domb_tiles.txt")) << context;
                break;
            }
        }
    }
    ReplacementGroup::SetStepHookForTesting(nullptr);
}

TEST_F(TilesTest, TemporaryFilesOfAKilledRunGoWithTheNextSet)
{
    // What a SIGKILL leaves: staged tiles and their own temporary files,
    // in this release's names and the earlier "-set" ones.
    const pid_t ended = [] {
        const pid_t child = ::fork();
        if (child == 0)
            ::_exit(0);
        ::waitpid(child, nullptr, 0);
        return child;
    }();
    const std::string pid = std::to_string(ended);
    for (const std::string& name : {".domb_007.b3d.tmp" + pid + "-3", ".domb_012.b3d.tmp" + pid + "-set11",
                                    "..domb_012.b3d.tmp" + pid + "-set11.tmp" + pid + "-40",
                                    ".domb_tiles.txt.tmp" + pid + "-set12", ".domb.b3d.tmp" + pid + "-0"})
        test::WriteFile(tiles / name, "left");
    test::WriteFile(tiles / (".other.b3d.tmp" + pid + "-0"), "not of this set");
    TerrainInput input;
    input.layout = TerrainLayout::Simulator;
    input.areaZ = input.resolutionZ = "20";
    input.tileLength = "10";
    EXPECT_EQ(generator.Generate(input, UiLanguage::English, tiles.path()).tiles, 2);
    EXPECT_EQ(Entries(tiles), (std::vector<std::string>{".other.b3d.tmp" + pid + "-0", "domb_001.b3d",
                                                        "domb_002.b3d", "domb_tiles.txt"}));
}

}  // namespace
}  // namespace kestrane
