// Gutters and the downpipe.
//
// Every gutter has the same profile, measured from the eave line: an inner
// top edge 0.04 towards the house at eave height, a floor 0.1 below the
// eave from the eave line to 0.06 outside it, and an outer top edge 0.09
// outside the eave line at eave height. The gutters take their position
// from the eave corners that the roof has just left.
#include "house/house_generator.h"

#include "core/numbers.h"
#include "house/house_constants.h"

#include <cmath>
#include <limits>
#include <string>

namespace kestrane {

namespace {

// One edge of the gutter profile: how far it lies from the eave line
// towards the house (negative: outside) and how far below the eave.
struct ProfileEdge {
    double inward;
    double drop;
};
constexpr ProfileEdge kInnerTop{0.04, 0.0};
constexpr ProfileEdge kInnerFloor{0.0, 0.1};
constexpr ProfileEdge kOuterFloor{-0.06, 0.1};
constexpr ProfileEdge kOuterTop{-0.09, 0.0};

constexpr const char* kGutterTexture = "eresz.bmp";  // "eresz": eave

// How often the gutter texture repeats along a side of `metres`: the
// nearest integer (ties to even), but at least once for a side that rounds
// to nothing.
long long RepeatCount(double metres)
{
    // Kept inside the range of the 32-bit counts; no real house comes near.
    constexpr double kLimit = std::numeric_limits<int>::max();
    const long long count = RoundHalfEven(std::fmax(-kLimit, std::fmin(kLimit, metres)));
    return count == 0 ? 1 : count;
}

// One straight gutter along x from the eave corner `front` to `back`;
// `towardsHouse` is +1 on the right eave and -1 on the left one.
void WriteStraightGutter(B3dWriter& out, const char* comment, const Vec3& front, const Vec3& back,
                         double towardsHouse, long long lengthCount)
{
    out.WriteLine(comment);
    out.WriteLine("[meshbuilder]");
    // Vertex 2k lies at the front end, 2k + 1 at the back end of edge k.
    for (const ProfileEdge& edge : {kInnerTop, kInnerFloor, kOuterFloor, kOuterTop})
        for (const Vec3& end : {front, back})
            out.EmitVertex(end.x, end.y - edge.drop, end.z + edge.inward * towardsHouse);

    // Fixed texts: their spellings, casing and blanks are kept byte for byte.
    static const char* const kFaces[] = {
        "face2 5,4,6,7",  // outer wall
        "face2 3,2,4,5",  // floor
        "face2 1,0,2,3",  // inner slope
        "face2 0,2,4,6",  // front end cap
        "face2 1,3,5,7",  // back end cap
    };
    for (const char* face : kFaces)
        out.WriteLine(face);
    out.WriteLine("");

    // The texture repeats once per metre along the gutter; v runs from 3 at
    // the inner top edge to 0 at the outer top edge.
    out.EmitTextureStart(kGutterTexture, B3dWriter::LoadWord::Capital);
    for (int edge = 0; edge < 4; ++edge) {
        out.EmitCoordinates(2 * edge, 0, 3 - edge);
        out.EmitCoordinates(2 * edge + 1, lengthCount, 3 - edge);
    }
    out.WriteLine("");
}

}  // namespace

void HouseGenerator::WriteGutterRing(const EaveCorners& e)
{
    // The eave corners with the direction towards the house in x and z.
    struct Corner {
        const Vec3& at;
        double sx, sz;
    };
    const Corner ring[] = {
        {e.frontRight, +1, +1},
        {e.frontLeft, +1, -1},
        {e.backRight, -1, +1},
        {e.backLeft, -1, -1},
    };
    // The outer floor edge is level all round, at the front right corner's
    // height; the other edges follow each corner's own height.
    const auto emitEdge = [&](const ProfileEdge& edge, bool level) {
        for (const Corner& c : ring) {
            const double y = (level ? e.frontRight.y : c.at.y) - edge.drop;
            out_.EmitVertex(c.at.x + edge.inward * c.sx, y, c.at.z + edge.inward * c.sz);
        }
    };

    // The trough: inner top edge (0-3), inner floor edge (4-7), outer floor
    // edge (8-11).
    Comment({";------Ereszcsatorna------", ";------Gutter------"});
    out_.WriteLine("[meshbuilder]");
    emitEdge(kInnerTop, false);
    emitEdge(kInnerFloor, false);
    emitEdge(kOuterFloor, true);
    // Fixed texts: their spellings, casing and blanks are kept byte for byte.
    static const char* const kTroughFaces[] = {
        // inner slope: front, right, back, left
        "face2 4,5,1,0", "face2 6,4,0,2", "face2 3,7,6,2", "face2 5,7,3,1",
        // floor: front, right, back, left
        "face2 8,9,5,4", "face2 10,8,4,6", "face2 7,11,10,6", "face2 9,11,7,5",
    };
    for (const char* face : kTroughFaces)
        out_.WriteLine(face);
    out_.EmitColorUnpadded(kGutterColor);
    out_.WriteLine("");

    // The outer wall: outer floor edge (0-3), outer top edge (4-7).
    Comment({";------Ereszcsatorna kívül------", ";------Gutter outside------"});
    out_.WriteLine("[meshbuilder]");
    emitEdge(kOuterFloor, true);
    emitEdge(kOuterTop, false);
    for (const char* face : {"face2 0,1,5,4", "face2 2,0,4,6", "face2 3,2,6,7", "face2 1,3,7,5"})
        out_.WriteLine(face);

    // u runs from 0 at the front left corner round the front, right and back
    // sides; the left side maps back to 0.
    const long long w = RepeatCount(dim_.width);
    const long long l = RepeatCount(dim_.length);
    const long long u[4] = {w, 0, w + l, 2 * w + l};  // FR, FL, BR, BL
    out_.EmitTextureStart(kGutterTexture, B3dWriter::LoadWord::Capital);
    for (int v = 1; v >= 0; --v)
        for (int corner = 0; corner < 4; ++corner)
            out_.EmitCoordinates(corner + 4 * (1 - v), u[corner], v);
    out_.WriteLine("");
}

void HouseGenerator::WriteSideGutters(const EaveCorners& eave)
{
    const long long l = RepeatCount(dim_.length);
    WriteStraightGutter(out_, LocalText{";------Ereszcsatorna jobb------", ";------Gutter right------"}(language_),
                        eave.frontRight, eave.backRight, +1, l);
    WriteStraightGutter(out_, LocalText{";------Ereszcsatorna bal------", ";------Gutter left------"}(language_),
                        eave.frontLeft, eave.backLeft, -1, l);
}

void HouseGenerator::WriteLeanGutter(const EaveCorners& eave)
{
    WriteStraightGutter(out_, LocalText{";------Ereszcsatorna------", ";------Gutter------"}(language_),
                        eave.frontRight, eave.backRight, +1, RepeatCount(dim_.length));
}

void HouseGenerator::WriteDownpipe(const WallsLeft& walls, const RoofLeft& roof)
{
    // Four ten-sided cylinders of radius 0.06 (the fixed "cylinder 10,0.06,
    // 0.06," prefix), each given by its length and its middle: a top piece
    // 0.22 long under the gutter, a 45-degree elbow across the overhang, the
    // piece down the wall and the outflow at its foot pointing away from the
    // wall. The lengths written as fixed texts ("0.22", "0.2") are kept byte
    // for byte.
    constexpr double kFromFront = 0.3;     // from the front end of the right wall
    constexpr double kTopPiece = 0.22;     // length of the top piece
    constexpr double kOffWall = 0.1;       // the middle piece's axis from the wall plane
    constexpr double kOutflowHeight = 0.2; // the outflow's axis above the ground
    const double h = dim_.halfWidth;
    const double OV = dim_.overhang;
    // Beyond the right corner wall when one was built.
    const double x = walls.rightCornerWall ? kFromFront + params_.cornerWallSize : kFromFront;
    const double top = roof.rightWallTop;  // lowered under a lean roof
    const double middleLength = top - OV - 0.4;
    const double elbowLength = kRootTwo * OV - 0.05;
    const std::string cylinder = "cylinder 10,0.06,0.06,";

    struct Piece {
        LocalText comment;
        std::string cylinder;
        const char* rotate;  // nullptr: none
        Vec3 translate;
    };
    // Fixed texts: their spellings, casing and blanks are kept byte for byte.
    const Piece pieces[] = {
        {{";------Lefolyó felül ------", ";------Gutter drain up ------"},
         cylinder + "0.22", nullptr, {x, top - 0.18, roof.eave.frontRight.z - 0.03}},
        {{";------Lefolyó könyök------", ";------Gutter drain elbow------"},
         cylinder + FormatReal(elbowLength), "rotate 1,0,0,-45", {x, top - OV / 2 - kTopPiece, -h - OV / 2 - 0.07}},
        {{";------Lefolyó középen------", ";------Gutter drain middle------"},
         cylinder + FormatReal(middleLength), nullptr, {x, middleLength / 2 + kTopPiece, -h - kOffWall}},
        {{";------Alsó kifolyó------", ";------Gutter lower outflow------"},
         cylinder + "0.2", "rotate 1,0,0,90", {x + 0.02, kOutflowHeight, -h - 0.15}},
    };
    for (const Piece& piece : pieces) {
        Comment(piece.comment);
        out_.WriteLine("[meshbuilder]");
        out_.WriteLine(piece.cylinder);
        if (piece.rotate)
            out_.WriteLine(piece.rotate);
        out_.EmitTranslate(piece.translate);
        out_.EmitColorUnpadded(kDownpipeColor);
        out_.WriteLine("");
    }
}

}  // namespace kestrane
