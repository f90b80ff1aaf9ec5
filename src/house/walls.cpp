// Walls: the four rectangular walls with the corner walls, the gable walls
// of the pitched roof and the walls of the lean roof.
#include "house/house_generator.h"

namespace kestrane {

void HouseGenerator::negyszogfalwrite()
{
    const double h = params.width / 2;
    const double s = params.cornerWallSize;
    const double L = params.length;
    const double H = params.wallHeight;
    const bool left = params.cornerWalls && params.cornerWallLeft;
    const bool right = params.cornerWalls && params.cornerWallRight;
    rightCornerWallBuilt = right;

    // A corner wall moves the working points of its side to the ends of the
    // diagonal; the front and side walls then start there.
    const double xL = left ? s : 0.0;
    const double xR = right ? s : 0.0;
    const double zL = h - xL;
    const double zR = -h + xR;

    struct Wall {
        bool written;
        LocalText title;
        Vec3 vertices[4];
        const char* face;
        const char* texture;
    };
    const Wall walls[] = {
        {left, {";------Bal sarokfal------", ";------Left corner wall------"},
         {{0, 0, h - s}, {s, 0, h}, {s, H, h}, {0, H, h - s}}, "face2 0,1,2,3", "5.bmp"},
        {right, {";------Jobb sarokfal------", ";------Right corner wall------"},
         {{s, 0, -h}, {0, 0, -h + s}, {0, H, -h + s}, {s, H, -h}}, "face2 0,1,2,3", "6.bmp"},
        {true, {";------Fal elöl------", ";------Front wall------"},
         {{0, 0, zR}, {0, 0, zL}, {0, H, zL}, {0, H, zR}}, "face 0,1,2,3 ", "1.bmp"},
        {true, {";------Fal jobb------", ";------Right wall------"},
         {{L, 0, -h}, {xR, 0, -h}, {xR, H, -h}, {L, H, -h}}, "face 0,1,2,3 ", "2.bmp"},
        {true, {";------Fal hátul------", ";------Behind wall------"},
         {{L, 0, h}, {L, 0, -h}, {L, H, -h}, {L, H, h}}, "face 0,1,2,3 ", "3.bmp"},
        {true, {";------Fal bal------", ";------Left wall------"},
         {{xL, 0, h}, {L, 0, h}, {L, H, h}, {xL, H, h}}, "face 0,1,2,3 ", "4.bmp"},
    };

    Comment({";------Falazat------", ";------Walling------"});
    for (const Wall& wall : walls) {
        if (!wall.written)
            continue;
        Comment(wall.title);
        out_.WriteLine("[meshbuilder]");
        for (const Vec3& v : wall.vertices)
            out_.EmitVertex(v);
        out_.WriteLine(wall.face);
        WriteWallColor();
        out_.EmitTextureQuad(wall.texture);
    }
}

}  // namespace kestrane
