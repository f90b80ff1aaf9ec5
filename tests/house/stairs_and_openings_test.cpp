// Openings and stairs laid out together, and the roof forms' defaults,
// valid for every house whose walls and roof are.
#include "house/facade_openings.h"
#include "house/house_generator.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

FacadeLayout Layout(const HouseInput& input)
{
    const HouseParams p = ReadHouseParams(input, UiLanguage::English);
    return LayOutFacades(p.facades, FacadeWalls(p), p.wallHeight, StairsBeforeWalls(p), UiLanguage::English);
}

TEST(StairsAndOpenings, ADoorStandsOnItsStairsAndTheyMoveBeforeIt)
{
    for (const char* position : {"0", "-1500", "2000"}) {
        HouseInput input;
        input.facades.enabled = true;
        input.stairSteps = 3;
        input.facades.door = {true, "1000", "2100", position};
        const FacadeLayout layout = Layout(input);
        ASSERT_EQ(layout.openings.size(), 1u);
        const Opening& door = layout.openings.front();
        EXPECT_DOUBLE_EQ(door.bottom, 0.6);
        ASSERT_EQ(layout.stairs.size(), 1u);
        const StairsBefore& flight = layout.stairs.front();
        // Centred on the door as far as the 6 m wall allows.
        EXPECT_NEAR(flight.centre, std::clamp((door.left + door.right) / 2, flight.halfWidth, 6 - flight.halfWidth),
                    1e-12);
    }
    // A side door's default wall is the side stairs' wall.
    HouseInput side;
    side.facades.enabled = true;
    side.stairSide = 2;
    side.facades.sideDoor.enabled = true;
    ASSERT_EQ(Layout(side).stairs.size(), 1u);
    EXPECT_EQ(Layout(side).stairs.front().side, WallSide::Right);
}

TEST(StairsAndOpenings, WindowsTheStairsWouldCoverAreLeftOut)
{
    HouseInput input;
    input.facades.enabled = true;
    input.stairSteps = 8;
    input.stairFront = 1;
    input.facades.storeys = "2";
    input.wallHeight = "6000";
    input.facades.windows[0] = {true, "3", "1000", "1400", "500"};
    const FacadeLayout layout = Layout(input);
    const StairsBefore flight = StairsBeforeWalls(ReadHouseParams(input, UiLanguage::English)).front();
    int upper = 0;
    for (const Opening& o : layout.openings) {
        upper += o.storey;
        EXPECT_FALSE(o.bottom < flight.height && o.right > flight.centre - flight.halfWidth &&
                     o.left < flight.centre + flight.halfWidth);
    }
    EXPECT_EQ(upper, 3);  // the stairs reach only the ground floor
    ASSERT_EQ(layout.notes.size(), 1u);
    EXPECT_EQ(layout.notes.front().field, "Front wall, window count");
}

TEST(RoofFormDefaults, AValidHouseIsAValidRoofWithEveryBoxEmpty)
{
    for (const RoofKind kind : {RoofKind::HalfHipped, RoofKind::Gambrel, RoofKind::Mansard, RoofKind::Saltbox})
        for (const char* width : {"3000", "12000", "30000"})
            for (const char* length : {"2000", "5000", "40000"})
                for (const char* roof : {"4500", "8500", "20000"})
                    for (const char* overhang : {"0", "400", "1500"}) {
                        HouseInput input;
                        input.ChooseRoof(kind);
                        input.width = width;
                        input.length = length;
                        input.roofHeight = roof;
                        input.roofOverhang = overhang;
                        EXPECT_NO_THROW(ReadHouseParams(input, UiLanguage::English))
                            << static_cast<int>(kind) << " " << width << " " << length << " " << roof << " "
                            << overhang;
                    }
}

}  // namespace
}  // namespace kestrane
