// Openings and stairs laid out together: a door stands on the top of the
// stairs before it and the stairs move before the door; windows the stairs
// would cover are left out with a note; the side door's default wall is the
// side stairs' wall. Also the roof forms' defaults, valid for every house
// whose walls and roof are, and the corner walls a pitched roof ignores.
#include "house/facade_openings.h"
#include "house/house_generator.h"
#include "house/roof_forms.h"

#include "core/errors.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrane {
namespace {

HouseInput WithFacades()
{
    HouseInput input;
    input.facades.enabled = true;
    return input;
}

FacadeLayout Layout(const HouseParams& p)
{
    return LayOutFacades(p.facades, FacadeWalls(p), p.wallHeight, StairsBeforeWalls(p), UiLanguage::English);
}

// No window of `layout` lies behind a flight of `flights` below its top.
void ExpectNothingBehindStairs(const FacadeLayout& layout, const std::vector<StairsBefore>& flights)
{
    for (const Opening& o : layout.openings)
        for (const StairsBefore& f : flights)
            if (o.kind == OpeningKind::Window && o.side == f.side) {
                EXPECT_FALSE(o.bottom < f.height && o.right > f.centre - f.halfWidth && o.left < f.centre + f.halfWidth)
                    << "window at " << o.left << ".." << o.right << " behind the stairs";
            }
}

TEST(StairsAndOpenings, ADoorStandsOnItsStairsAndTheyMoveBeforeIt)
{
    for (const char* position : {"0", "-1500", "2000"}) {
        HouseInput input = WithFacades();
        input.stairSteps = 3;
        input.facades.door = {true, "1000", "2100", position};
        const HouseParams p = ReadHouseParams(input, UiLanguage::English);
        const FacadeLayout layout = Layout(p);
        ASSERT_EQ(layout.openings.size(), 1u);
        const Opening& door = layout.openings.front();
        EXPECT_DOUBLE_EQ(door.bottom, 3 * 0.2);
        EXPECT_DOUBLE_EQ(door.top, 3 * 0.2 + 2.1);
        ASSERT_EQ(layout.stairs.size(), 1u);
        const StairsBefore& flight = layout.stairs.front();
        EXPECT_EQ(flight.side, WallSide::Front);
        // Centred on the door, as far as the wall's ends allow.
        const double wall = FacadeWalls(p)[0].length;
        const double middle = (door.left + door.right) / 2;
        EXPECT_NEAR(flight.centre, std::clamp(middle, flight.halfWidth, wall - flight.halfWidth), 1e-12) << position;
        EXPECT_GE(flight.centre - flight.halfWidth, -1e-12);
        EXPECT_LE(flight.centre + flight.halfWidth, wall + 1e-12);
    }
}

TEST(StairsAndOpenings, ADoorOnStairsMustFitBelowTheStoreyTop)
{
    HouseInput input = WithFacades();
    input.stairSteps = 16;
    input.stairSide = 2;
    input.stairsStraight = true;
    input.facades.sideDoor = {true, "900", "2000", "0"};
    try {
        Layout(ReadHouseParams(input, UiLanguage::English));
        FAIL() << "a door on 3200 mm of stairs was laid out under a 3500 mm storey";
    } catch (const InputError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Right wall, door height: the door on top of the 3200 mm stairs is higher than the room left of "
                  "the ground floor (300 mm).");
    }
}

TEST(StairsAndOpenings, TheSideDoorDefaultsToTheSideStairsWall)
{
    HouseInput input = WithFacades();
    input.stairSide = 2;
    input.facades.sideDoor.enabled = true;
    EXPECT_EQ(input.facades.sideDoorSide, WallSide::Right);
    const FacadeLayout layout = Layout(ReadHouseParams(input, UiLanguage::English));
    ASSERT_EQ(layout.stairs.size(), 1u);
    EXPECT_EQ(layout.stairs.front().side, WallSide::Right);
}

TEST(StairsAndOpenings, WindowsTheStairsWouldCoverAreLeftOutWithANote)
{
    HouseInput input = WithFacades();
    input.stairSteps = 8;
    input.stairFront = 1;
    input.facades.windows[0] = {true, "3", "1000", "1400", "500"};
    const HouseParams p = ReadHouseParams(input, UiLanguage::English);
    const FacadeLayout layout = Layout(p);
    ExpectNothingBehindStairs(layout, StairsBeforeWalls(p));
    EXPECT_LT(layout.openings.size(), 3u);
    ASSERT_EQ(layout.notes.size(), 1u);
    EXPECT_EQ(layout.notes.front().field, "Front wall, window count");
    // The generation tells it, in both languages.
    EXPECT_NE(layout.notes.front().message.find("left out: the stairs would cover"), std::string::npos);
    const auto hu = HouseWarnings(ReadHouseParams(input, UiLanguage::Hungarian), {}, UiLanguage::Hungarian);
    ASSERT_FALSE(hu.empty());
    EXPECT_NE(hu.back().message.find("kimarad"), std::string::npos);

    // Upper storeys keep their windows: the stairs reach only the ground floor.
    input.facades.storeys = "2";
    input.wallHeight = "6000";
    const FacadeLayout two = Layout(ReadHouseParams(input, UiLanguage::English));
    int upper = 0;
    for (const Opening& o : two.openings)
        upper += o.storey == 1;
    EXPECT_EQ(upper, 3);
}

TEST(StairsAndOpenings, WithoutFacadesTheStairsStayWhereTheyAre)
{
    HouseInput input;
    input.stairSide = 3;
    const HouseParams p = ReadHouseParams(input, UiLanguage::English);
    const FacadeLayout layout = Layout(p);
    EXPECT_TRUE(layout.stairs.empty());
    EXPECT_TRUE(layout.openings.empty());
    EXPECT_EQ(StairsBeforeWalls(p).size(), 2u);
}

TEST(RoofFormDefaults, AValidHouseIsAValidRoofWithEveryBoxEmpty)
{
    for (const RoofKind kind : {RoofKind::HalfHipped, RoofKind::Gambrel, RoofKind::Mansard, RoofKind::Saltbox})
        for (const char* width : {"3000", "6000", "12000", "30000"})
            for (const char* length : {"2000", "5000", "8000", "40000"})
                for (const char* roof : {"4500", "5000", "8500", "20000"})
                    for (const char* overhang : {"0", "400", "1500"}) {
                        HouseInput input;
                        input.ChooseRoof(kind);
                        input.width = width;
                        input.length = length;
                        input.roofHeight = roof;
                        input.roofOverhang = overhang;
                        EXPECT_NO_THROW(ReadHouseParams(input, UiLanguage::English))
                            << static_cast<int>(kind) << " " << width << "x" << length << " roof " << roof
                            << " overhang " << overhang;
                    }
}

TEST(RoofFormDefaults, AnExplicitKneeIsRefusedWithTheRangeThatWorks)
{
    HouseInput input;
    input.ChooseRoof(RoofKind::Mansard);
    input.width = "12000";
    input.length = "5000";
    input.roofHeight = "8500";
    input.kneeHeight = "4000";
    try {
        ReadHouseParams(input, UiLanguage::English);
        FAIL();
    } catch (const InputError& e) {
        const std::string text = e.what();
        EXPECT_EQ(text.rfind("Knee height: the slope below the knee must be steeper", 0), 0u) << text;
        EXPECT_NE(text.find("the knee must lie between "), std::string::npos) << text;
        // The lowest knee it names is accepted.
        const std::size_t from = text.find("between ") + 8;
        input.kneeHeight = text.substr(from, text.find(" mm", from) - from);
        EXPECT_NO_THROW(ReadHouseParams(input, UiLanguage::English)) << input.kneeHeight;
    }
}

TEST(CornerWalls, APitchedRoofWithoutRoofLevelTextureSaysItIgnoresThem)
{
    HouseInput input;
    input.ChooseRoof(RoofKind::Pitched);
    input.cornerWallLeft = true;
    const auto warnings = HousePlausibilityWarnings(ReadHouseParams(input, UiLanguage::English), UiLanguage::English);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings.front().field, "Cornel wall size");
    input.roofLevelTextureChecked = true;
    EXPECT_TRUE(HousePlausibilityWarnings(ReadHouseParams(input, UiLanguage::English), UiLanguage::English).empty());
}

}  // namespace
}  // namespace kestrane
