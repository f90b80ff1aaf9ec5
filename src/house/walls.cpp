// Walls: the four rectangular walls with the corner walls, the gable walls
// of the pitched roof and the walls of the lean roof.
#include "house/house_generator.h"

#include "house/face_sections.h"

#include "core/numbers.h"

#include <span>
#include <string>
#include <vector>

namespace kestrane {

namespace {

const LocalText kWalling{";------Falazat------", ";------Walling------"};

// How far above the wall tops the pitched roof's surface crosses the side
// walls: the surface starts at wall height on the overhang's edge
// (z = +-(width/2 + overhang)) and rises to the ridge at z = 0. Negative
// for a negative overhang.
double PitchedEaveRise(const HouseDimensions& d)
{
    return (d.roofHeight - d.wallHeight) * d.overhang / (d.halfWidth + d.overhang);
}

}  // namespace

WallsLeft HouseGenerator::negyszogfalwrite()
{
    const auto [h, W, L, H, RH, OV] = dim_;
    const double s = params_.cornerWallSize;
    const bool left = params_.cornerWalls && params_.cornerWallLeft;
    const bool right = params_.cornerWalls && params_.cornerWallRight;

    // A corner wall moves the working points of its side to the ends of the
    // diagonal; the front and side walls then start there.
    const double xL = left ? s : 0.0;
    const double xR = right ? s : 0.0;
    const double zL = h - xL;
    const double zR = -h + xR;

    using enum TextureShape;
    // Fixed texts: their spellings, casing and blanks are kept byte for byte.
    std::vector<FaceSection> walls;
    if (left)
        walls.push_back({{";------Bal sarokfal------", ";------Left corner wall------"}, "[meshbuilder]",
                         {{0, 0, h - s}, {s, 0, h}, {s, H, h}, {0, H, h - s}}, "face2 0,1,2,3", {Quad, "5.bmp"}});
    if (right)
        walls.push_back({{";------Jobb sarokfal------", ";------Right corner wall------"}, "[meshbuilder]",
                         {{s, 0, -h}, {0, 0, -h + s}, {0, H, -h + s}, {s, H, -h}}, "face2 0,1,2,3", {Quad, "6.bmp"}});
    walls.insert(walls.end(), {
        {{";------Fal elöl------", ";------Front wall------"}, "[meshbuilder]",
         {{0, 0, zR}, {0, 0, zL}, {0, H, zL}, {0, H, zR}}, "face 0,1,2,3 ", {Quad, "1.bmp"}},
        {{";------Fal jobb------", ";------Right wall------"}, "[meshbuilder]",
         {{L, 0, -h}, {xR, 0, -h}, {xR, H, -h}, {L, H, -h}}, "face 0,1,2,3 ", {Quad, "2.bmp"}},
        {{";------Fal hátul------", ";------Behind wall------"}, "[meshbuilder]",
         {{L, 0, h}, {L, 0, -h}, {L, H, -h}, {L, H, h}}, "face 0,1,2,3 ", {Quad, "3.bmp"}},
        {{";------Fal bal------", ";------Left wall------"}, "[meshbuilder]",
         {{xL, 0, h}, {L, 0, h}, {L, H, h}, {xL, H, h}}, "face 0,1,2,3 ", {Quad, "4.bmp"}},
    });

    Comment(kWalling);
    WriteFaceSections(out_, language_, WallColor(), walls);
    return {0.0, right};
}

WallsLeft HouseGenerator::WriteGableWalls()
{
    const auto [h, W, L, H, RH, OV] = dim_;
    const double eaveRise = PitchedEaveRise(dim_);
    // The five-cornered walls meet the roof at their shoulders; the texture's
    // top edge is at the ridge and its bottom edge on the ground.
    const double shoulder = H + eaveRise;
    const double shoulderRatio = 1 - shoulder / RH;

    using enum TextureShape;
    // Fixed texts: their spellings, casing and blanks are kept byte for byte.
    const FaceSection walls[] = {
        {{";------Fal elöl------", ";------Front wall------"}, "[meshbuilder]",
         {{0, 0, -h}, {0, 0, h}, {0, shoulder, h}, {0, RH, 0}, {0, shoulder, -h}},
         "face 0,1,2,3,4", {Pentagon, "1.bmp", shoulderRatio}},
        {{";------Fal jobb------", ";------Right wall------"}, "[meshbuilder];---",
         {{L, 0, -h}, {0, 0, -h}, {0, H, -h}, {L, H, -h}},
         "face 0,1,2,3 ", {Quad, "2.bmp"}},
        {{";------Fal hátsó------", ";------Behind wall------"}, "[meshbuilder]",
         {{L, 0, h}, {L, 0, -h}, {L, shoulder, -h}, {L, RH, 0}, {L, shoulder, h}},
         "face 0,1,2,3,4", {Pentagon, "3.bmp", shoulderRatio}},
        {{";------Fal bal------", ";------Left wall------"}, "[meshbuilder]",
         {{0, 0, h}, {L, 0, h}, {L, H, h}, {0, H, h}},
         "face 0,1,2,3 ", {Quad, "4.bmp"}},
    };
    Comment(kWalling);
    WriteFaceSections(out_, language_, WallColor(), walls);
    return {eaveRise, false};
}

double HouseGenerator::WriteGableTriangles()
{
    const auto [h, W, L, H, RH, OV] = dim_;

    // Standing on the wall tops and reaching the overhang on both sides.
    using enum TextureShape;
    // Fixed texts: their spellings, casing and blanks are kept byte for byte.
    const FaceSection gables[] = {
        {{";------Oromfal elöl------", ";------Gable front wall------"}, "[meshbuilder]",
         {{0, H, -h - OV}, {0, H, h + OV}, {0, RH, 0}}, "face 0,1,2", {Triangle, "7.bmp"}},
        {{";------Oromfalal hátsó------", ";------Gable behind wall------"}, "[meshbuilder]",
         {{L, H, h + OV}, {L, H, -h - OV}, {L, RH, 0}}, "face 0,1,2", {Triangle, "8.bmp"}},
    };
    WriteFaceSections(out_, language_, WallColor(), gables);
    return PitchedEaveRise(dim_);
}

WallsLeft HouseGenerator::WriteLeanWalls()
{
    const auto [h, W, L, H, RH, OV] = dim_;
    // Texture v of the low top corner of the front and back walls (H/RH).
    const std::string low = FormatReal(1 - (RH - H) / RH);

    using enum TextureShape;
    // Fixed texts: their spellings, casing and blanks are kept byte for byte.
    const FaceSection walls[] = {
        {{";------Fal elöl------", ";------Front wall------"}, "[meshbuilder]",
         {{0, 0, -h}, {0, 0, h}, {0, RH, h}, {0, H, -h}},
         "face 0,1,2,3 ", {Listed, "1.bmp", 0.0, {"0,1,1", "1,0,1", "2,0,0", "3,1," + low}}},
        {{";------Fal jobb------", ";------Right wall------"}, "[meshbuilder]",
         {{L, 0, -h}, {0, 0, -h}, {0, H, -h}, {L, H, -h}},
         "face 0,1,2,3 ", {Quad, "2.bmp"}},
        {{";------Fal hátul------", ";------Behind wall------"}, "[meshbuilder]",
         {{L, 0, h}, {L, 0, -h}, {L, H, -h}, {L, RH, h}},
         "face 0,1,2,3 ", {Listed, "3.bmp", 0.0, {"0,1,1", "1,0,1", "2,0," + low, "3,1,0"}}},
        {{";------Fal bal------", ";------Left wall------"}, "[meshbuilder]",
         {{0, 0, h}, {L, 0, h}, {L, RH, h}, {0, RH, h}},
         "face 0,1,2,3 ", {Quad, "4.bmp"}},
    };
    Comment({";------Féltető falazat------", ";------Lean roof wall------"});
    WriteFaceSections(out_, language_, WallColor(), walls);
    return {};
}

}  // namespace kestrane
