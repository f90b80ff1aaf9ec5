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
using test::ExpectB3dData;

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

// The expected texts lie in tests/data/equipment (see ExpectB3dData in
// test_support.h for regenerating them).
std::string RingHu() { return test::DataText("equipment/gutter_ring_hu.txt"); }

TEST(GutterRing, DefaultPyramidOrHipEavesInBothLanguages)
{
    ExpectB3dData(Emit(DefaultParams(), HU, [](HouseGenerator& g) { g.WriteGutterRing(kDefaultEaves); }),
                  "equipment/gutter_ring_hu.txt");

    std::string english = RingHu();
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
    ExpectB3dData(Emit(DefaultParams(), EN, [](HouseGenerator& g) { g.WriteSideGutters(kDefaultEaves); }),
                  "equipment/side_gutters_en.txt");
}


// The lean roof leaves only the two low eave corners, lowered by the rise.
RoofLeft LeanRoof(double overhang)
{
    const double rise = overhang > 0 ? kLeanRise : 0.0;
    return {{{0, 3.5 - rise, -3 - overhang}, {}, {8, 3.5 - rise, -3 - overhang}, {}}, rise, 3.5 - rise};
}

TEST(LeanGutter, LowEaveOfTheDefaultLeanRoof)
{
    ExpectB3dData(Emit(DefaultParams(), HU,
                       [](HouseGenerator& g) { g.WriteLeanGutter(LeanRoof(0.4).eave); }),
                  "equipment/lean_gutter_hu.txt");

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
    ExpectB3dData(Emit(DefaultParams(), HU, [](HouseGenerator& g) { g.WriteDownpipe({}, kDefaultRoof); }),
                  "equipment/downpipe_hu.txt");
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
    ExpectB3dData(Emit(DefaultParams(), HU, [](HouseGenerator& g) { g.WriteChimney(); }),
                  "equipment/chimney_hu.txt");
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
    ExpectB3dData(Emit(params, EN, [](HouseGenerator& g) { g.WriteChimney(); }),
                  "equipment/chimney_size4_en.txt");
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
    ExpectB3dData(Emit(DefaultParams(), HU, [](HouseGenerator& g) { g.WriteFrontStairs(); }),
                  "equipment/front_stairs_hu.txt");
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
    ExpectB3dData(Emit(params, EN, [](HouseGenerator& g) { g.WriteCornerStairs(2); }),
                  "equipment/corner_stairs_en.txt");
}

TEST(Stairs, CornerPlacementsChooseTheFlightsAndPlatformsStandAtTheHouseCorners)
{
    const std::string left = test::DataText("equipment/corner_stairs_left_hu.txt");
    const std::string right = test::DataText("equipment/corner_stairs_right_hu.txt");
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
