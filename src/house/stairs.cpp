// Front, side and corner stairs.
//
// A flight is one box ("cube" with half-extents) per step, numbered from 1
// at the bottom. Straight stairs are identical blocks, each one tread
// further out and one rise lower than the next; a stepped platform is a
// pile of blocks flush with the wall that shrink by one tread outwards and
// half a tread on each side per step, so it can be climbed from three sides.
#include "house/house_generator.h"

#include "core/numbers.h"
#include "house/facade_openings.h"
#include "house/house_constants.h"

#include <string>

namespace kestrane {

namespace {

// Block i (1 = lowest) of a flight, measured from its wall: half-extents
// away from the wall and along it, the distance of its middle from the wall
// plane, and the distance of its middle from the middle of a corner wall
// along the corner's diagonal.
struct StepBlock {
    double outHalf;
    double alongHalf;
    double fromWall;
    double fromCorner;
};

StepBlock BlockOf(const HouseParams& p, int i)
{
    const int n = p.stairSteps;
    const double w = p.stepWidth;
    if (p.stairsStraight) {
        // Each block is two treads deep and reaches under the one above; the
        // top block reaches half a tread into the wall.
        return {w, p.stepLength / 2, w / 2 + (n - i) * w, (n - i + 1) * w};
    }
    return {(n + 1 - i) * w / 2, (n + 1 - i) * w / 2 + p.stepLength / 2, (n - i) / 2.0 * w + w / 2,
            (n - i + 1) * w / 2};
}

// The middle of block i lies this high: block i spans (i - 1) to i rises.
double BlockMiddleY(const HouseParams& p, int i) { return (i - 1) * p.stepHeight + p.stepHeight / 2; }

// Where a flight's middle lies along its wall for one placement: the
// position of straight stairs, and the direction in which the wider bottom
// of a platform pushes it away from the end of the wall (0 in the centre).
struct FlightPlacement {
    double straight;
    double platformShift;
};

double FlightPosition(const HouseParams& p, const FlightPlacement& placement)
{
    double position = placement.straight;
    if (!p.stairsStraight && placement.platformShift != 0) {
        const double w = p.stepWidth;
        position += placement.platformShift * ((p.stairSteps - 1) * w / 2);
        position += placement.platformShift * (w / 2);
    }
    return position;
}

// "[meshbuilder];<step>", the cube, the rotation of a corner flight, the
// stair colour with unpadded channels, the translate.
void WriteBlock(B3dWriter& out, const HouseParams& p, int i, const Vec3& half, const char* rotate, const Vec3& at)
{
    std::string line = "[meshbuilder];";
    AppendInt(line, i);
    out.WriteLine(line);

    out.EmitCube(half);
    if (rotate)
        out.WriteLine(rotate);
    if (p.useStairColor)
        out.EmitColorUnpadded(p.stairColor);
    out.EmitTranslate(at);
}

// The along-wall middle of the front flight (z) and of the side flight (x)
// for the placements 1 to 3.
double FrontFlightZ(const HouseParams& p, double halfWidth)
{
    const double sideEnd = halfWidth - p.stepLength / 2 - 0.005;  // 0.005 inside the side plane
    const FlightPlacement placements[] = {
        {sideEnd, -1},   // 1: left side
        {0, 0},          // 2: centre
        {-sideEnd, +1},  // 3: right side
    };
    return FlightPosition(p, placements[p.stairFront - 1]);
}

double SideFlightX(const HouseParams& p, double length)
{
    const FlightPlacement placements[] = {
        {p.stepLength / 2 + 0.005, +1},           // 1: front end of the right wall
        {length / 2, 0},                          // 2: centre
        {length - p.stepLength / 2 - 0.005, -1},  // 3: back end
    };
    return FlightPosition(p, placements[p.stairSide - 1]);
}

// How far along `wall` (from its left end) a point of the house lies.
double AlongWall(const WallFace& wall, const Vec3& point)
{
    return (point.x - wall.leftEnd.x) * wall.rightward.x + (point.z - wall.leftEnd.z) * wall.rightward.z;
}

}  // namespace

std::vector<StairsBefore> StairsBeforeWalls(const HouseParams& p)
{
    std::vector<StairsBefore> flights;
    if (p.stairSteps <= 0)
        return flights;
    const std::array<WallFace, 4> walls = FacadeWalls(p);
    const double halfWidth = BlockOf(p, 1).alongHalf;  // the lowest block is the widest
    const double height = p.stairSteps * p.stepHeight;
    if (p.stairFront >= 1 && p.stairFront <= 3) {
        const WallFace& wall = walls[static_cast<int>(WallSide::Front)];
        flights.push_back({WallSide::Front, AlongWall(wall, {0, 0, FrontFlightZ(p, p.width / 2)}), halfWidth, height});
    }
    if (p.stairSide >= 1 && p.stairSide <= 3) {
        const WallFace& wall = walls[static_cast<int>(WallSide::Right)];
        flights.push_back({WallSide::Right, AlongWall(wall, {SideFlightX(p, p.length), 0, 0}), halfWidth, height});
    }
    return flights;
}

double HouseGenerator::FlightMiddle(WallSide side, double placed) const
{
    for (const StairsBefore& flight : stairs_) {
        if (flight.side != side)
            continue;
        const Vec3 middle = WallPoint(FacadeWalls(params_)[static_cast<int>(side)], flight.centre, 0, 0);
        return side == WallSide::Front ? middle.z : middle.x;
    }
    return placed;
}

void HouseGenerator::WriteWallStairs(WallSide side)
{
    const HouseParams& p = params_;
    // A flight before the front wall (the plane x = 0, leading away along
    // -x) or the right wall (z = -half width, leading away along -z).
    struct WallFlight {
        WallSide side;
        int placement;  // 1 to 3; anything else: no flight
        LocalText comment;
        bool outAlongX;     // the flight leads away along x (else along z)
        double wallOffset;  // the wall plane's distance from the house's axis
    };
    // Fixed texts: their spellings, casing and blanks are kept byte for byte.
    const WallFlight flights[] = {
        {WallSide::Front, p.stairFront, {";------Feljáró elöl------", ";------Stair front------"}, true, 0.0},
        {WallSide::Right, p.stairSide, {";------Feljáró oldalt------", ";------Side stair------"}, false,
         dim_.halfWidth},
    };
    for (const WallFlight& flight : flights) {
        if (flight.side != side || p.stairSteps <= 0 || flight.placement < 1 || flight.placement > 3)
            continue;
        const double along = flight.outAlongX ? FlightMiddle(side, FrontFlightZ(p, dim_.halfWidth))
                                              : FlightMiddle(side, SideFlightX(p, dim_.length));
        Comment(flight.comment);
        for (int i = 1; i <= p.stairSteps; ++i) {
            const StepBlock b = BlockOf(p, i);
            const double out = -b.fromWall - flight.wallOffset;
            const double y = BlockMiddleY(p, i);
            if (flight.outAlongX)
                WriteBlock(out_, p, i, {b.outHalf, p.stepHeight / 2, b.alongHalf}, nullptr, {out, y, along});
            else
                WriteBlock(out_, p, i, {b.alongHalf, p.stepHeight / 2, b.outHalf}, nullptr, {along, y, out});
        }
    }
}

void HouseGenerator::WriteCornerStairs(int placement)
{
    // A corner flight stands before the middle of its corner wall (the
    // house corner itself without corner walls), turned by 45 degrees, and
    // leads away along the diagonal.
    const HouseParams& p = params_;
    if (p.stairSteps <= 0)
        return;
    const double half = p.cornerWallSize / 2;
    struct CornerFlight {
        bool written;
        LocalText comment;
        const char* rotate;
        double side;  // +1: left corner (z > 0), -1: right corner
    };
    // Fixed texts: their spellings, casing and blanks are kept byte for byte.
    const CornerFlight flights[] = {
        {placement < 3, {";------Bal sarok feljáró------", ";------Left cornel stair------"}, "rotate 0,1,0,45", +1},
        {placement > 1, {";------Jobb sarok feljáró------", ";------Right cornel stair------"}, "rotate 0,1,0,-45", -1},
    };
    for (const CornerFlight& flight : flights) {
        if (!flight.written)
            continue;
        Comment(flight.comment);
        for (int i = 1; i <= p.stairSteps; ++i) {
            const StepBlock b = BlockOf(p, i);
            const double diagonal = b.fromCorner / kRootTwo;
            const double z = flight.side * dim_.halfWidth - flight.side * half + flight.side * diagonal;
            WriteBlock(out_, p, i, {b.outHalf, p.stepHeight / 2, b.alongHalf}, flight.rotate,
                       {half - diagonal, BlockMiddleY(p, i), z});
        }
    }
}

}  // namespace kestrane
