// Where the facade openings lie: even spacing, what does not fit, the door
// in a window's place, openings kept off corner walls, gables and sloping
// wall tops, the lit windows of a seed, and quads that face outwards.
#include "house/facade_layout.h"
#include "house/facade_openings.h"

#include "core/errors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

namespace kestrane {
namespace {

constexpr double kTolerance = 1e-9;

HouseParams House(RoofKind kind = RoofKind::Pyramid)
{
    HouseInput input;
    input.ChooseRoof(kind);
    return ReadHouseParams(input, UiLanguage::English);
}

FacadeParams Facades(int storeys = 1)
{
    FacadeParams p;
    p.enabled = true;
    p.storeys = storeys;
    p.windowTexture = "window.bmp";
    p.doorTexture = "door.bmp";
    return p;
}

FacadeParams::Windows Windows(int count, double width = 1.2, double height = 1.4, double sill = 0.9)
{
    return {count, width, height, sill};
}

std::vector<Opening> On(const std::vector<Opening>& openings, WallSide side, OpeningKind kind, int storey)
{
    std::vector<Opening> found;
    for (const Opening& o : openings) {
        if (o.side == side && o.kind == kind && o.storey == storey)
            found.push_back(o);
    }
    return found;
}

// The field named by a refusal, or "" when the layout was accepted.
std::string RefusedField(const FacadeParams& facades, const HouseParams& house)
{
    try {
        LayOutFacades(facades, FacadeWalls(house), house.wallHeight, UiLanguage::English);
    } catch (const InputError& e) {
        EXPECT_EQ(std::string(e.what()).rfind(e.field() + ": ", 0), 0u) << e.what();
        return e.field();
    }
    return "";
}

TEST(FacadeLayout, WindowsAreEvenlySpacedOnEveryStorey)
{
    HouseParams house = House();
    house.wallHeight = 6.0;
    FacadeParams facades = Facades(2);
    facades.windows[static_cast<int>(WallSide::Front)] = Windows(2);
    facades.windows[static_cast<int>(WallSide::Left)] = Windows(3, 1.0, 1.2, 0.8);
    const auto openings = LayOutFacades(facades, FacadeWalls(house), house.wallHeight, UiLanguage::English);
    ASSERT_EQ(openings.size(), 2u * 2 + 3u * 2);

    for (int storey = 0; storey < 2; ++storey) {
        // Front wall, 6 m: two slots of 2.5 m between the corner distances.
        const auto front = On(openings, WallSide::Front, OpeningKind::Window, storey);
        ASSERT_EQ(front.size(), 2u);
        EXPECT_NEAR(front[0].left, 1.15, kTolerance);
        EXPECT_NEAR(front[1].left, 3.65, kTolerance);
        EXPECT_NEAR(front[1].right, 4.85, kTolerance);
        EXPECT_NEAR(front[0].left, 6.0 - front[1].right, kTolerance) << "the same distance from both corners";
        EXPECT_NEAR(front[0].bottom, storey * 3.0 + 0.9, kTolerance);
        EXPECT_NEAR(front[0].top, storey * 3.0 + 2.3, kTolerance);

        // Left wall, 8 m: equal distances between neighbours.
        const auto left = On(openings, WallSide::Left, OpeningKind::Window, storey);
        ASSERT_EQ(left.size(), 3u);
        EXPECT_NEAR(left[1].left - left[0].right, left[2].left - left[1].right, kTolerance);
        EXPECT_NEAR((left[1].left + left[1].right) / 2, 4.0, kTolerance);
        EXPECT_GE(left[0].left, kCornerDistance);
        EXPECT_NEAR(left[0].bottom, storey * 3.0 + 0.8, kTolerance);
    }
}

TEST(FacadeLayout, RefusesWhatDoesNotFitNamingTheWallAndTheField)
{
    const HouseParams house = House();  // 6 m wide, 8 m long, walls 3.5 m
    FacadeParams facades = Facades();

    // Four windows of 1.2 m need 4.8 + 3 x 0.3 + 2 x 0.5 = 6.7 m.
    facades.windows[static_cast<int>(WallSide::Back)] = Windows(4);
    EXPECT_EQ(RefusedField(facades, house), "Back wall, window count");
    facades.windows[static_cast<int>(WallSide::Back)] = Windows(3);
    EXPECT_EQ(RefusedField(facades, house), "");
    // One window may fill the wall up to the corner distances.
    facades.windows[static_cast<int>(WallSide::Back)] = Windows(1, 5.0);
    EXPECT_EQ(RefusedField(facades, house), "");
    facades.windows[static_cast<int>(WallSide::Back)] = Windows(1, 5.01);
    EXPECT_EQ(RefusedField(facades, house), "Back wall, window count");
    facades.windows[static_cast<int>(WallSide::Back)] = {};

    // Sill and window higher than a storey.
    facades.windows[static_cast<int>(WallSide::Right)] = Windows(2, 1.2, 2.7, 0.9);
    EXPECT_EQ(RefusedField(facades, house), "Right wall, window height");
    facades.windows[static_cast<int>(WallSide::Right)] = Windows(2);

    // Storeys that do not fit into the wall height.
    facades.storeys = 3;
    facades.storeyHeight = 1.2;
    EXPECT_EQ(RefusedField(facades, house), "Storey height");
    facades.storeyHeight = 0;  // 3 x 1.1667 m shared out: the windows no longer fit
    EXPECT_EQ(RefusedField(facades, house), "Right wall, window height");
    facades.storeys = 1;

    // A door off the wall, and one higher than the ground floor.
    facades.door = {true, 1.0, 2.1, 2.2};
    EXPECT_EQ(RefusedField(facades, house), "Front wall, door position");
    facades.door = {true, 5.5, 2.1, 0};
    EXPECT_EQ(RefusedField(facades, house), "Front wall, door width");
    facades.door = {true, 1.0, 3.6, 0};
    EXPECT_EQ(RefusedField(facades, house), "Front wall, door height");
    facades.sideDoorSide = WallSide::Left;
    facades.door = {};
    facades.sideDoor = {true, 1.0, 2.1, -3.6};
    EXPECT_EQ(RefusedField(facades, house), "Left wall, door position");
}

TEST(FacadeLayout, ADoorTakesThePlaceOfTheGroundFloorWindowsItTouches)
{
    HouseParams house = House();
    house.wallHeight = 6.0;
    FacadeParams facades = Facades(2);
    facades.windows[static_cast<int>(WallSide::Front)] = Windows(3, 1.0);
    facades.door = {true, 1.0, 2.1, 0};
    const auto openings = LayOutFacades(facades, FacadeWalls(house), house.wallHeight, UiLanguage::English);

    const auto doors = On(openings, WallSide::Front, OpeningKind::Door, 0);
    ASSERT_EQ(doors.size(), 1u);
    EXPECT_NEAR(doors[0].left, 2.5, kTolerance);
    EXPECT_NEAR(doors[0].right, 3.5, kTolerance);
    EXPECT_NEAR(doors[0].bottom, 0.0, kTolerance);
    EXPECT_NEAR(doors[0].top, 2.1, kTolerance);
    EXPECT_EQ(openings.front().kind, OpeningKind::Door) << "a wall's door comes before its windows";

    const auto ground = On(openings, WallSide::Front, OpeningKind::Window, 0);
    ASSERT_EQ(ground.size(), 2u);
    for (const Opening& window : ground)
        EXPECT_TRUE(window.right <= doors[0].left - kOpeningGap || window.left >= doors[0].right + kOpeningGap);
    EXPECT_EQ(On(openings, WallSide::Front, OpeningKind::Window, 1).size(), 3u);

    // Moved to the right (seen from outside) the door leaves the middle
    // window but takes the right one.
    facades.door.position = 1.6;
    const auto moved = LayOutFacades(facades, FacadeWalls(house), house.wallHeight, UiLanguage::English);
    const auto movedGround = On(moved, WallSide::Front, OpeningKind::Window, 0);
    ASSERT_EQ(movedGround.size(), 2u);
    EXPECT_NEAR(movedGround[1].left, 2.5, kTolerance);
}

TEST(FacadeLayout, OpeningsStayOffCornerWallsGablesAndSlopingWallTops)
{
    // Corner walls: the front wall shrinks to the part between them, the
    // side walls start behind them.
    HouseInput input;
    input.cornerWallLeft = input.cornerWallRight = true;
    input.cornerWallSize = "1000";
    const HouseParams cornered = ReadHouseParams(input, UiLanguage::English);
    const auto walls = FacadeWalls(cornered);
    const WallFace& front = walls[static_cast<int>(WallSide::Front)];
    EXPECT_NEAR(front.length, 4.0, kTolerance);
    EXPECT_NEAR(front.leftEnd.z, 2.0, kTolerance);
    EXPECT_NEAR(walls[static_cast<int>(WallSide::Right)].leftEnd.x, 1.0, kTolerance);
    EXPECT_NEAR(walls[static_cast<int>(WallSide::Left)].length, 7.0, kTolerance);

    FacadeParams facades = Facades();
    for (const WallSide side : kWallSides)
        facades.windows[static_cast<int>(side)] = Windows(2);
    const auto openings = LayOutFacades(facades, walls, cornered.wallHeight, UiLanguage::English);
    ASSERT_EQ(openings.size(), 8u);
    for (const Opening& o : openings) {
        for (const Vec3& p : WallRectangle(walls[static_cast<int>(o.side)], o.left, o.right, o.bottom, o.top, 0)) {
            // Off the diagonal corner walls: x >= 1 on the side walls, |z| <= 2 on the front.
            EXPECT_TRUE(p.x >= 1.0 + kCornerDistance - kTolerance || std::abs(p.z) <= 2.0 - kCornerDistance + kTolerance)
                << p.x << " " << p.z;
        }
    }
    facades.windows[static_cast<int>(WallSide::Front)] = Windows(3);  // 3.6 m + gaps on the 4 m left
    EXPECT_EQ(RefusedField(facades, cornered), "Front wall, window count");

    // The gable walls of a pitched roof come without corner walls; with the
    // roof-level texture the rectangular walls bring them.
    input.ChooseRoof(RoofKind::Pitched);
    EXPECT_NEAR(FacadeWalls(ReadHouseParams(input, UiLanguage::English))[0].length, 6.0, kTolerance);
    input.roofLevelTextureChecked = true;
    EXPECT_NEAR(FacadeWalls(ReadHouseParams(input, UiLanguage::English))[0].length, 4.0, kTolerance);

    // Pitched roof with gable walls: the gables above the wall height carry
    // nothing, so a window reaching above it is refused.
    const HouseParams pitched = House(RoofKind::Pitched);
    FacadeParams tall = Facades();
    tall.windows[static_cast<int>(WallSide::Front)] = Windows(1, 1.2, 3.0, 0.6);
    EXPECT_EQ(RefusedField(tall, pitched), "Front wall, window height");
    for (const WallFace& wall : FacadeWalls(pitched))
        EXPECT_NEAR(wall.top, pitched.wallHeight, kTolerance);

    // Lean-roof walls below a roof lower than the walls: the front and back
    // walls keep their openings under the lower top corner.
    HouseInput leanInput;
    leanInput.ChooseRoof(RoofKind::Lean);
    leanInput.roofHeight = "3000";
    const HouseParams lean = ReadHouseParams(leanInput, UiLanguage::English);
    const auto leanWalls = FacadeWalls(lean);
    EXPECT_NEAR(leanWalls[static_cast<int>(WallSide::Front)].top, 3.0, kTolerance);
    EXPECT_NEAR(leanWalls[static_cast<int>(WallSide::Right)].top, 3.5, kTolerance);
    FacadeParams high = Facades();
    high.windows[static_cast<int>(WallSide::Right)] = Windows(2, 1.2, 1.5, 1.8);  // top 3.3
    EXPECT_EQ(RefusedField(high, lean), "");
    high.windows[static_cast<int>(WallSide::Back)] = Windows(2, 1.2, 1.5, 1.8);
    EXPECT_EQ(RefusedField(high, lean), "Back wall, window height");

    // An overhanging lean roof runs on down beyond the right wall: the
    // openings there stay below its eave (3.5 - 3.5 x 0.4 / 6 m).
    const HouseParams overhanging = House(RoofKind::Lean);
    EXPECT_NEAR(FacadeWalls(overhanging)[static_cast<int>(WallSide::Right)].top, 3.5 - 3.5 * 0.4 / 6, kTolerance);
    EXPECT_NEAR(FacadeWalls(overhanging)[static_cast<int>(WallSide::Left)].top, 7.0, kTolerance);
    FacadeParams underEave = Facades();
    underEave.windows[static_cast<int>(WallSide::Left)] = Windows(2, 1.2, 2.5, 0.9);  // top 3.4
    EXPECT_EQ(RefusedField(underEave, overhanging), "");
    underEave.windows[static_cast<int>(WallSide::Right)] = Windows(2, 1.2, 2.5, 0.9);
    EXPECT_EQ(RefusedField(underEave, overhanging), "Right wall, window height");
}

TEST(FacadeLayout, ASeedLightsTheSameShareOfWindowsEveryTime)
{
    HouseParams house = House();
    house.wallHeight = 6.0;
    FacadeParams facades = Facades(2);
    for (const WallSide side : kWallSides)
        facades.windows[static_cast<int>(side)] = Windows(2);
    facades.door = {true, 1.0, 2.1, 0};  // two front windows give way: 14 windows
    facades.litPercent = 30;
    facades.litSeed = 7;

    const auto lit = [&] {
        std::set<std::size_t> indices;
        const auto openings = LayOutFacades(facades, FacadeWalls(house), house.wallHeight, UiLanguage::English);
        for (std::size_t i = 0; i < openings.size(); ++i) {
            if (openings[i].lit) {
                EXPECT_EQ(openings[i].kind, OpeningKind::Window);
                indices.insert(i);
            }
        }
        return indices;
    };
    const auto first = lit();
    EXPECT_EQ(first.size(), 4u) << "30 % of 14 windows, rounded";
    EXPECT_EQ(lit(), first);
    facades.litSeed = 8;
    EXPECT_NE(lit(), first);
    facades.litPercent = 100;
    EXPECT_EQ(lit().size(), 14u);
    facades.litPercent = 0;
    EXPECT_TRUE(lit().empty());
}

TEST(FacadeLayout, OpeningQuadsFaceAwayFromTheHouse)
{
    for (const RoofKind kind : {RoofKind::Pitched, RoofKind::Hip, RoofKind::Pyramid, RoofKind::Flat, RoofKind::Lean}) {
        const HouseParams house = House(kind);
        const Vec3 middle{house.length / 2, 0, 0};
        for (const WallFace& wall : FacadeWalls(house)) {
            const auto q = WallRectangle(wall, 1.0, 2.0, 0.5, 1.5, kOpeningDistance);
            const Vec3 a{q[1].x - q[0].x, q[1].y - q[0].y, q[1].z - q[0].z};
            const Vec3 b{q[2].x - q[0].x, q[2].y - q[0].y, q[2].z - q[0].z};
            const Vec3 normal{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
            const Vec3 away{q[0].x - middle.x, 0, q[0].z - middle.z};
            EXPECT_GT(normal.x * away.x + normal.z * away.z, 0) << WallCaption(wall.side, UiLanguage::English);
            EXPECT_NEAR(normal.y, 0, kTolerance);
            // Bottom right, bottom left, top left, top right seen from outside.
            EXPECT_NEAR(q[0].y, 0.5, kTolerance);
            EXPECT_NEAR(q[2].y, 1.5, kTolerance);
            // A few millimetres in front of the wall plane.
            const Vec3 onWall = WallPoint(wall, 2.0, 0.5, 0);
            const double distance = (q[0].x - onWall.x) * wall.outward.x + (q[0].z - onWall.z) * wall.outward.z;
            EXPECT_NEAR(distance, kOpeningDistance, kTolerance);
        }
    }
}

}  // namespace
}  // namespace kestrane
