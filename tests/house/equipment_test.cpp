// Gutters, downpipe, chimney and stairs, each written on its own by a
// generator and handed a roof (eave corners, eave rise, lowered corner) made
// by hand, compared byte for byte with the expected B3D text.
#include "house/house_generator.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace kestrane {
namespace {

using test::ExpectB3d;

constexpr auto HU = UiLanguage::Hungarian;
constexpr auto EN = UiLanguage::English;

// The eave corners the pitched, hip and pyramid roofs leave for the default
// house (overhang 0.4).
const EaveCorners kDefaultEaves{{-0.4, 3.5, -3.4}, {-0.4, 3.5, 3.4}, {8.4, 3.5, -3.4}, {8.4, 3.5, 3.4}};
const RoofLeft kDefaultRoof{kDefaultEaves, 0.0, 3.5};

// The lean roof over the default house: eave rise (7 - 3.5) / 6 * 0.4.
constexpr double kLeanRise = 3.5 / 6 * 0.4;

HouseParams DefaultParams() { return ReadHouseParams(HouseInput{}, HU); }

// Writes one element through `write` into a fresh file and returns its bytes.
std::string Emit(const HouseParams& params, UiLanguage language, const std::function<void(HouseGenerator&)>& write)
{
    test::TempFolder folder;
    B3dWriter out;
    out.OpenOutput(folder / "element.b3d");
    HouseGenerator generator(out, params, language);
    write(generator);
    out.CloseOutput();
    return test::ReadFile(folder / "element.b3d");
}

// The lines of `bytes` that begin with `prefix`.
std::vector<std::string> LinesStarting(const std::string& bytes, const std::string& prefix)
{
    std::vector<std::string> found;
    for (const std::string& line : test::Lines(bytes))
        if (line.rfind(prefix, 0) == 0)
            found.push_back(line);
    return found;
}

void Replace(std::string& text, const std::string& from, const std::string& to)
{
    text.replace(text.find(from), from.size(), to);
}

// --- Gutters -------------------------------------------------------------

const std::string kRingHu = R"(;------Ereszcsatorna------
[meshbuilder]
vertex -0.360, 3.500,-3.360
vertex -0.360, 3.500, 3.360
vertex  8.360, 3.500,-3.360
vertex  8.360, 3.500, 3.360
vertex -0.400, 3.400,-3.400
vertex -0.400, 3.400, 3.400
vertex  8.400, 3.400,-3.400
vertex  8.400, 3.400, 3.400
vertex -0.460, 3.400,-3.460
vertex -0.460, 3.400, 3.460
vertex  8.460, 3.400,-3.460
vertex  8.460, 3.400, 3.460
face2 4,5,1,0
face2 6,4,0,2
face2 3,7,6,2
face2 5,7,3,1
face2 8,9,5,4
face2 10,8,4,6
face2 7,11,10,6
face2 9,11,7,5
color 40,40,50

;------Ereszcsatorna kívül------
[meshbuilder]
vertex -0.460, 3.400,-3.460
vertex -0.460, 3.400, 3.460
vertex  8.460, 3.400,-3.460
vertex  8.460, 3.400, 3.460
vertex -0.490, 3.500,-3.490
vertex -0.490, 3.500, 3.490
vertex  8.490, 3.500,-3.490
vertex  8.490, 3.500, 3.490
face2 0,1,5,4
face2 2,0,4,6
face2 3,2,6,7
face2 1,3,7,5
[Texture]
Load eresz.bmp
Coordinates 0,6,1
Coordinates 1,0,1
Coordinates 2,14,1
Coordinates 3,20,1
Coordinates 4,6,0
Coordinates 5,0,0
Coordinates 6,14,0
Coordinates 7,20,0

)";

TEST(GutterRing, DefaultPyramidOrHipEavesInBothLanguages)
{
    ExpectB3d(Emit(DefaultParams(), HU, [](HouseGenerator& g) { g.WriteGutterRing(kDefaultEaves); }), kRingHu);

    std::string english = kRingHu;
    Replace(english, ";------Ereszcsatorna------", ";------Gutter------");
    Replace(english, ";------Ereszcsatorna kívül------", ";------Gutter outside------");
    ExpectB3d(Emit(DefaultParams(), EN, [](HouseGenerator& g) { g.WriteGutterRing(kDefaultEaves); }), english);
}

TEST(GutterRing, OuterFloorIsLevelAtTheFrontRightHeightAndOffsetMovesEveryVertex)
{
    HouseParams params = DefaultParams();
    params.offset = {10, 1, -2};
    const std::string bytes = Emit(params, HU, [](HouseGenerator& g) {
        g.WriteGutterRing({{0, 3.5, -3}, {0, 3.0, 3}, {8, 3.0, -3}, {8, 3.0, 3}});
    });
    const std::vector<std::string> expected = {
        // trough: inner top, inner floor at each corner's height, outer floor level
        "vertex 10.040, 4.500,-4.960", "vertex 10.040, 4.000, 0.960", "vertex 17.960, 4.000,-4.960",
        "vertex 17.960, 4.000, 0.960", "vertex 10.000, 4.400,-5.000", "vertex 10.000, 3.900, 1.000",
        "vertex 18.000, 3.900,-5.000", "vertex 18.000, 3.900, 1.000", "vertex  9.940, 4.400,-5.060",
        "vertex  9.940, 4.400, 1.060", "vertex 18.060, 4.400,-5.060", "vertex 18.060, 4.400, 1.060",
        // outer wall: outer floor level, outer top at each corner's height
        "vertex  9.940, 4.400,-5.060", "vertex  9.940, 4.400, 1.060", "vertex 18.060, 4.400,-5.060",
        "vertex 18.060, 4.400, 1.060", "vertex  9.910, 4.500,-5.090", "vertex  9.910, 4.000, 1.090",
        "vertex 18.090, 4.000,-5.090", "vertex 18.090, 4.000, 1.090",
    };
    EXPECT_EQ(LinesStarting(bytes, "vertex"), expected);
}

TEST(GutterRing, RepeatCountsRoundHalfToEvenAndNeverZero)
{
    struct Case {
        double width, length;
        std::vector<std::string> coordinates;  // vertices 0, 2, 3
    };
    const Case cases[] = {
        {0.4, 8, {"Coordinates 0,1,1", "Coordinates 2,9,1", "Coordinates 3,10,1"}},
        {2.5, 3.5, {"Coordinates 0,2,1", "Coordinates 2,6,1", "Coordinates 3,8,1"}},
        {3.5, 0.49, {"Coordinates 0,4,1", "Coordinates 2,5,1", "Coordinates 3,9,1"}},
    };
    for (const Case& c : cases) {
        HouseParams params = DefaultParams();
        params.width = c.width;
        params.length = c.length;
        const auto lines = LinesStarting(Emit(params, HU, [](HouseGenerator& g) { g.WriteGutterRing(kDefaultEaves); }),
                                         "Coordinates");
        ASSERT_EQ(lines.size(), 8u);
        EXPECT_EQ((std::vector<std::string>{lines[0], lines[2], lines[3]}), c.coordinates) << c.width;
    }
}

TEST(SideGutters, DefaultPitchedEavesInEnglish)
{
    ExpectB3d(Emit(DefaultParams(), EN, [](HouseGenerator& g) { g.WriteSideGutters(kDefaultEaves); }),
              R"(;------Gutter right------
[meshbuilder]
vertex -0.400, 3.500,-3.360
vertex  8.400, 3.500,-3.360
vertex -0.400, 3.400,-3.400
vertex  8.400, 3.400,-3.400
vertex -0.400, 3.400,-3.460
vertex  8.400, 3.400,-3.460
vertex -0.400, 3.500,-3.490
vertex  8.400, 3.500,-3.490
face2 5,4,6,7
face2 3,2,4,5
face2 1,0,2,3
face2 0,2,4,6
face2 1,3,5,7

[Texture]
Load eresz.bmp
Coordinates 0,0,3
Coordinates 1,8,3
Coordinates 2,0,2
Coordinates 3,8,2
Coordinates 4,0,1
Coordinates 5,8,1
Coordinates 6,0,0
Coordinates 7,8,0

;------Gutter left------
[meshbuilder]
vertex -0.400, 3.500, 3.360
vertex  8.400, 3.500, 3.360
vertex -0.400, 3.400, 3.400
vertex  8.400, 3.400, 3.400
vertex -0.400, 3.400, 3.460
vertex  8.400, 3.400, 3.460
vertex -0.400, 3.500, 3.490
vertex  8.400, 3.500, 3.490
face2 5,4,6,7
face2 3,2,4,5
face2 1,0,2,3
face2 0,2,4,6
face2 1,3,5,7

[Texture]
Load eresz.bmp
Coordinates 0,0,3
Coordinates 1,8,3
Coordinates 2,0,2
Coordinates 3,8,2
Coordinates 4,0,1
Coordinates 5,8,1
Coordinates 6,0,0
Coordinates 7,8,0

)");
}

const std::string kLeanGutterHu = R"(;------Ereszcsatorna------
[meshbuilder]
vertex  0.000, 3.267,-3.360
vertex  8.000, 3.267,-3.360
vertex  0.000, 3.167,-3.400
vertex  8.000, 3.167,-3.400
vertex  0.000, 3.167,-3.460
vertex  8.000, 3.167,-3.460
vertex  0.000, 3.267,-3.490
vertex  8.000, 3.267,-3.490
face2 5,4,6,7
face2 3,2,4,5
face2 1,0,2,3
face2 0,2,4,6
face2 1,3,5,7

[Texture]
Load eresz.bmp
Coordinates 0,0,3
Coordinates 1,8,3
Coordinates 2,0,2
Coordinates 3,8,2
Coordinates 4,0,1
Coordinates 5,8,1
Coordinates 6,0,0
Coordinates 7,8,0

)";

// The lean roof leaves only the two low eave corners, lowered by the rise.
RoofLeft LeanRoof(double overhang)
{
    const double rise = overhang > 0 ? kLeanRise : 0.0;
    return {{{0, 3.5 - rise, -3 - overhang}, {}, {8, 3.5 - rise, -3 - overhang}, {}}, rise, 3.5 - rise};
}

TEST(LeanGutter, LowEaveOfTheDefaultLeanRoof)
{
    ExpectB3d(Emit(DefaultParams(), HU,
                   [](HouseGenerator& g) { g.WriteLeanGutter(LeanRoof(0.4).eave); }),
              kLeanGutterHu);

    // Without overhang the gutter hangs at the wall top, |overhang| inside
    // the wall for a negative one.
    HouseParams params = DefaultParams();
    params.roofOverhang = -0.2;
    const std::string bytes =
        Emit(params, EN, [](HouseGenerator& g) { g.WriteLeanGutter(LeanRoof(-0.2).eave); });
    EXPECT_EQ(test::Lines(bytes)[0], ";------Gutter------");
    EXPECT_EQ(LinesStarting(bytes, "vertex")[0], "vertex  0.000, 3.500,-2.760");
    EXPECT_EQ(LinesStarting(bytes, "vertex")[7], "vertex  8.000, 3.500,-2.890");
}

// --- Downpipe ------------------------------------------------------------

TEST(Downpipe, DefaultHouseInHungarian)
{
    ExpectB3d(Emit(DefaultParams(), HU, [](HouseGenerator& g) { g.WriteDownpipe({}, kDefaultRoof); }),
              R"(;------Lefolyó felül ------
[meshbuilder]
cylinder 10,0.06,0.06,0.22
translate  0.300, 3.320,-3.430
color 90,110,115

;------Lefolyó könyök------
[meshbuilder]
cylinder 10,0.06,0.06, 0.516
rotate 1,0,0,-45
translate  0.300, 3.080,-3.270
color 90,110,115

;------Lefolyó középen------
[meshbuilder]
cylinder 10,0.06,0.06, 2.700
translate  0.300, 1.570,-3.100
color 90,110,115

;------Alsó kifolyó------
[meshbuilder]
cylinder 10,0.06,0.06,0.2
rotate 1,0,0,90
translate  0.320, 0.200,-3.150
color 90,110,115

)");
}

TEST(Downpipe, FollowsTheLeanEaveTheRightCornerWallAndTheOverhang)
{
    struct Case {
        const char* name;
        double overhang;
        void (*edit)(HouseParams&);
        WallsLeft walls;
        RoofLeft roof;
        std::vector<std::string> cylindersAndTranslates;
    };
    const Case cases[] = {
        {"lean roof", 0.4, nullptr, {}, LeanRoof(0.4),
         {"cylinder 10,0.06,0.06,0.22", "translate  0.300, 3.087,-3.430",
          "cylinder 10,0.06,0.06, 0.516", "translate  0.300, 2.847,-3.270",
          "cylinder 10,0.06,0.06, 2.467", "translate  0.300, 1.453,-3.100",
          "cylinder 10,0.06,0.06,0.2", "translate  0.320, 0.200,-3.150"}},
        {"right corner wall of 1 m", 0.4,
         [](HouseParams& p) {
             p.cornerWalls = p.cornerWallRight = true;
             p.cornerWallSize = 1;
         },
         {0.0, true}, kDefaultRoof,
         {"cylinder 10,0.06,0.06,0.22", "translate  1.300, 3.320,-3.430",
          "cylinder 10,0.06,0.06, 0.516", "translate  1.300, 3.080,-3.270",
          "cylinder 10,0.06,0.06, 2.700", "translate  1.300, 1.570,-3.100",
          "cylinder 10,0.06,0.06,0.2", "translate  1.320, 0.200,-3.150"}},
        {"right corner wall requested but not built", 0.4,
         [](HouseParams& p) {
             p.cornerWalls = p.cornerWallRight = true;
             p.cornerWallSize = 1;
         },
         {}, kDefaultRoof,
         {"cylinder 10,0.06,0.06,0.22", "translate  0.300, 3.320,-3.430",
          "cylinder 10,0.06,0.06, 0.516", "translate  0.300, 3.080,-3.270",
          "cylinder 10,0.06,0.06, 2.700", "translate  0.300, 1.570,-3.100",
          "cylinder 10,0.06,0.06,0.2", "translate  0.320, 0.200,-3.150"}},
        {"no overhang: eaves at the wall tops", 0.0,
         nullptr, {}, {{{0, 3.5, -3}, {0, 3.5, 3}, {8, 3.5, -3}, {8, 3.5, 3}}, 0.0, 3.5},
         {"cylinder 10,0.06,0.06,0.22", "translate  0.300, 3.320,-3.030",
          "cylinder 10,0.06,0.06,-0.050", "translate  0.300, 3.280,-3.070",
          "cylinder 10,0.06,0.06, 3.100", "translate  0.300, 1.770,-3.100",
          "cylinder 10,0.06,0.06,0.2", "translate  0.320, 0.200,-3.150"}},
        {"negative overhang on a lean roof", -0.2, nullptr, {}, LeanRoof(-0.2),
         {"cylinder 10,0.06,0.06,0.22", "translate  0.300, 3.320,-2.830",
          "cylinder 10,0.06,0.06,-0.333", "translate  0.300, 3.380,-2.970",
          "cylinder 10,0.06,0.06, 3.300", "translate  0.300, 1.870,-3.100",
          "cylinder 10,0.06,0.06,0.2", "translate  0.320, 0.200,-3.150"}},
    };
    for (const Case& c : cases) {
        HouseParams params = DefaultParams();
        params.roofOverhang = c.overhang;
        if (c.edit)
            c.edit(params);
        const std::string bytes = Emit(params, HU, [&](HouseGenerator& g) { g.WriteDownpipe(c.walls, c.roof); });
        std::vector<std::string> found;
        for (const std::string& line : test::Lines(bytes))
            if (line.rfind("cylinder", 0) == 0 || line.rfind("translate", 0) == 0)
                found.push_back(line);
        EXPECT_EQ(found, c.cylindersAndTranslates) << c.name;
    }
}

TEST(Downpipe, EnglishDiffersOnlyInTheComments)
{
    HouseParams params = DefaultParams();
    params.offset = {1, 2, 3};
    const auto hu = test::Lines(Emit(params, HU, [](HouseGenerator& g) { g.WriteDownpipe({}, kDefaultRoof); }));
    const auto en = test::Lines(Emit(params, EN, [](HouseGenerator& g) { g.WriteDownpipe({}, kDefaultRoof); }));
    ASSERT_EQ(hu.size(), en.size());
    std::vector<std::string> comments;
    for (std::size_t i = 0; i < en.size(); ++i) {
        if (en[i].rfind(";", 0) == 0)
            comments.push_back(en[i]);
        else
            EXPECT_EQ(en[i], hu[i]);
    }
    EXPECT_EQ(comments, (std::vector<std::string>{";------Gutter drain up ------", ";------Gutter drain elbow------",
                                                  ";------Gutter drain middle------",
                                                  ";------Gutter lower outflow------"}));
    EXPECT_EQ(en[3], "translate  1.300, 5.320,-0.430");
}

// --- Chimney -------------------------------------------------------------

TEST(Chimney, DefaultSizeOneInHungarian)
{
    ExpectB3d(Emit(DefaultParams(), HU, [](HouseGenerator& g) { g.WriteChimney(); }),
              R"(;------Kémény------
[meshbuilder]
cube 0.25, 1.750, 0.300
[Texture]
Load k.bmp
Coordinates 0,1,0
Coordinates 1,1,1
Coordinates 2,0,1
Coordinates 3,0,0
Coordinates 4,0,0
Coordinates 5,0,1
Coordinates 6,1,1
Coordinates 7,1,0
translate  2.000, 5.250, 0.000
;------Kémény tető------
[meshbuilder]
cube 0.27,0.08, 0.340
color 100,100,100
translate  2.000, 7.080, 0.000

)");
}

TEST(Chimney, SizeFourWithColourAndOffsetInEnglish)
{
    HouseParams params = DefaultParams();
    params.chimneySize = 4;
    params.chimneyX = 1.5;
    params.chimneyZ = -1;
    params.useChimneyColor = true;
    params.chimneyColor = {100, 20, 5};
    params.offset = {0, 0.5, 2};
    ExpectB3d(Emit(params, EN, [](HouseGenerator& g) { g.WriteChimney(); }),
              R"(;------Chimney------
[meshbuilder]
cube 0.25, 1.750, 0.750
color 100, 20,  5
[Texture]
Load k.bmp
Coordinates 0,1,0
Coordinates 1,1,1
Coordinates 2,0,1
Coordinates 3,0,0
Coordinates 4,0,0
Coordinates 5,0,1
Coordinates 6,1,1
Coordinates 7,1,0
translate  1.500, 5.750, 1.000
;------Chymney top------
[meshbuilder]
cube 0.27,0.08, 0.790
color 100,100,100
translate  1.500, 7.580, 1.000

)");
}

TEST(Chimney, SizeZeroWritesNothing)
{
    HouseParams params = DefaultParams();
    params.chimneySize = 0;
    EXPECT_EQ(Emit(params, HU, [](HouseGenerator& g) { g.WriteChimney(); }), "");
}

// --- Stairs --------------------------------------------------------------

TEST(Stairs, DefaultFrontPlatformInHungarian)
{
    ExpectB3d(Emit(DefaultParams(), HU, [](HouseGenerator& g) { g.WriteFrontStairs(); }),
              R"(;------Feljáró elöl------
[meshbuilder];1
cube  0.300, 0.100, 1.050
translate -0.300, 0.100, 0.000
[meshbuilder];2
cube  0.150, 0.100, 0.900
translate -0.150, 0.300, 0.000
)");
}

// Front and side flights of two steps at every placement in both styles.
TEST(Stairs, FrontAndSideFlightsAtEveryPlacement)
{
    struct Case {
        bool side;
        int placement;
        bool straight;
        const char* blocks;  // the lines after the comment
    };
    const Case cases[] = {
        {false, 1, true, "[meshbuilder];1\ncube  0.300, 0.100, 0.750\ntranslate -0.450, 0.100, 2.245\n"
                         "[meshbuilder];2\ncube  0.300, 0.100, 0.750\ntranslate -0.150, 0.300, 2.245\n"},
        {false, 2, true, "[meshbuilder];1\ncube  0.300, 0.100, 0.750\ntranslate -0.450, 0.100, 0.000\n"
                         "[meshbuilder];2\ncube  0.300, 0.100, 0.750\ntranslate -0.150, 0.300, 0.000\n"},
        {false, 3, true, "[meshbuilder];1\ncube  0.300, 0.100, 0.750\ntranslate -0.450, 0.100,-2.245\n"
                         "[meshbuilder];2\ncube  0.300, 0.100, 0.750\ntranslate -0.150, 0.300,-2.245\n"},
        {false, 1, false, "[meshbuilder];1\ncube  0.300, 0.100, 1.050\ntranslate -0.300, 0.100, 1.945\n"
                          "[meshbuilder];2\ncube  0.150, 0.100, 0.900\ntranslate -0.150, 0.300, 1.945\n"},
        {false, 3, false, "[meshbuilder];1\ncube  0.300, 0.100, 1.050\ntranslate -0.300, 0.100,-1.945\n"
                          "[meshbuilder];2\ncube  0.150, 0.100, 0.900\ntranslate -0.150, 0.300,-1.945\n"},
        {true, 1, true, "[meshbuilder];1\ncube  0.750, 0.100, 0.300\ntranslate  0.755, 0.100,-3.450\n"
                        "[meshbuilder];2\ncube  0.750, 0.100, 0.300\ntranslate  0.755, 0.300,-3.150\n"},
        {true, 2, true, "[meshbuilder];1\ncube  0.750, 0.100, 0.300\ntranslate  4.000, 0.100,-3.450\n"
                        "[meshbuilder];2\ncube  0.750, 0.100, 0.300\ntranslate  4.000, 0.300,-3.150\n"},
        {true, 3, true, "[meshbuilder];1\ncube  0.750, 0.100, 0.300\ntranslate  7.245, 0.100,-3.450\n"
                        "[meshbuilder];2\ncube  0.750, 0.100, 0.300\ntranslate  7.245, 0.300,-3.150\n"},
        {true, 1, false, "[meshbuilder];1\ncube  1.050, 0.100, 0.300\ntranslate  1.055, 0.100,-3.300\n"
                         "[meshbuilder];2\ncube  0.900, 0.100, 0.150\ntranslate  1.055, 0.300,-3.150\n"},
        {true, 2, false, "[meshbuilder];1\ncube  1.050, 0.100, 0.300\ntranslate  4.000, 0.100,-3.300\n"
                         "[meshbuilder];2\ncube  0.900, 0.100, 0.150\ntranslate  4.000, 0.300,-3.150\n"},
        {true, 3, false, "[meshbuilder];1\ncube  1.050, 0.100, 0.300\ntranslate  6.945, 0.100,-3.300\n"
                         "[meshbuilder];2\ncube  0.900, 0.100, 0.150\ntranslate  6.945, 0.300,-3.150\n"},
    };
    for (const Case& c : cases) {
        HouseParams params = DefaultParams();
        params.stairsStraight = c.straight;
        params.stairFront = c.side ? 0 : c.placement;
        params.stairSide = c.side ? c.placement : 0;
        const std::string bytes = Emit(params, HU, [&](HouseGenerator& g) {
            if (c.side)
                g.WriteSideStairs();
            else
                g.WriteFrontStairs();
        });
        const std::string comment = c.side ? ";------Feljáró oldalt------\n" : ";------Feljáró elöl------\n";
        ExpectB3d(bytes, comment + c.blocks);
    }
}

TEST(Stairs, CornerFlightsInEnglishWithOffsetAndUnpaddedColour)
{
    // Straight flights before corner walls of 1 m.
    HouseParams params = DefaultParams();
    params.stairsStraight = true;
    params.cornerWallSize = 1;
    params.offset = {10, 0, 0};
    params.useStairColor = true;
    params.stairColor = {5, 20, 100};
    ExpectB3d(Emit(params, EN, [](HouseGenerator& g) { g.WriteCornerStairs(2); }),
              R"(;------Left cornel stair------
[meshbuilder];1
cube  0.300, 0.100, 0.750
rotate 0,1,0,45
color 5,20,100
translate 10.076, 0.100, 2.924
[meshbuilder];2
cube  0.300, 0.100, 0.750
rotate 0,1,0,45
color 5,20,100
translate 10.288, 0.300, 2.712
;------Right cornel stair------
[meshbuilder];1
cube  0.300, 0.100, 0.750
rotate 0,1,0,-45
color 5,20,100
translate 10.076, 0.100,-2.924
[meshbuilder];2
cube  0.300, 0.100, 0.750
rotate 0,1,0,-45
color 5,20,100
translate 10.288, 0.300,-2.712
)");
}

TEST(Stairs, CornerPlacementsChooseTheFlightsAndPlatformsStandAtTheHouseCorners)
{
    const std::string left = R"(;------Bal sarok feljáró------
[meshbuilder];1
cube  0.300, 0.100, 1.050
rotate 0,1,0,45
translate -0.212, 0.100, 3.212
[meshbuilder];2
cube  0.150, 0.100, 0.900
rotate 0,1,0,45
translate -0.106, 0.300, 3.106
)";
    const std::string right = R"(;------Jobb sarok feljáró------
[meshbuilder];1
cube  0.300, 0.100, 1.050
rotate 0,1,0,-45
translate -0.212, 0.100,-3.212
[meshbuilder];2
cube  0.150, 0.100, 0.900
rotate 0,1,0,-45
translate -0.106, 0.300,-3.106
)";
    const std::string expected[] = {left, left + right, right};
    for (int placement = 1; placement <= 3; ++placement)
        ExpectB3d(Emit(DefaultParams(), HU, [&](HouseGenerator& g) { g.WriteCornerStairs(placement); }),
                  expected[placement - 1]);
}

TEST(Stairs, OneStepPlatformAndStepCountsInTheSectionLines)
{
    HouseParams params = DefaultParams();
    params.stairSteps = 1;
    ExpectB3d(Emit(params, EN, [](HouseGenerator& g) { g.WriteFrontStairs(); }),
              ";------Stair front------\n[meshbuilder];1\ncube  0.150, 0.100, 0.900\n"
              "translate -0.150, 0.100, 0.000\n");

    params.stairSteps = 12;
    params.stairSide = 2;
    params.stairsStraight = true;
    const auto sections = LinesStarting(Emit(params, EN, [](HouseGenerator& g) { g.WriteSideStairs(); }), "[mesh");
    ASSERT_EQ(sections.size(), 12u);
    EXPECT_EQ(sections[9], "[meshbuilder];10");
    EXPECT_EQ(sections[11], "[meshbuilder];12");
}

}  // namespace
}  // namespace kestrane
