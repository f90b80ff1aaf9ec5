// Walls: the four rectangular walls with the corner walls, the gable walls
// of the pitched roof and the walls of the lean roof.
#include "house/house_generator.h"

#include "output/numbers.h"

#include <span>
#include <string>
#include <vector>

namespace kestrane {

namespace {

const LocalText kWalling{";------Falazat------", ";------Walling------"};

// How the texture is laid on a wall face.
enum class TextureShape {
    Triangle,  // EmitTextureTriangle
    Quad,      // EmitTextureQuad
    Pentagon,  // EmitTexturePentagon, `value` is the shoulder height
    Listed,    // written line by line from `coordinates`
};

struct FaceTexture {
    TextureShape shape;
    const char* file;
    double value = 0.0;
    std::vector<std::string> coordinates = {};  // "vertex,u,v" of each Coordinates line
};

// A mesh section holding one face: title comment, header line, corners in
// order, face line, the optional colour and the texture block.
struct FaceSection {
    LocalText title;
    const char* header;
    std::vector<Vec3> vertices;
    const char* face;
    FaceTexture texture;
};

void WriteTexture(B3dWriter& out, const FaceTexture& texture)
{
    switch (texture.shape) {
    case TextureShape::Triangle: out.EmitTextureTriangle(texture.file); break;
    case TextureShape::Quad: out.EmitTextureQuad(texture.file); break;
    case TextureShape::Pentagon: out.EmitTexturePentagon(texture.file, texture.value); break;
    case TextureShape::Listed:
        out.WriteLine("[Texture]");
        out.WriteLine(std::string("load ") + texture.file);
        for (const std::string& coordinate : texture.coordinates)
            out.WriteLine("Coordinates " + coordinate);
        out.WriteLine("");
        break;
    }
}

// `color` is null when the wall colour is not in use.
void WriteFaceSections(B3dWriter& out, UiLanguage language, const ColorRgb* color,
                       std::span<const FaceSection> sections)
{
    for (const FaceSection& section : sections) {
        out.WriteLine(section.title(language));
        out.WriteLine(section.header);
        for (const Vec3& v : section.vertices)
            out.EmitVertex(v);
        out.WriteLine(section.face);
        if (color)
            out.EmitColor(*color);
        WriteTexture(out, section.texture);
    }
}

// How far above the wall tops the pitched roof's surface crosses the side
// walls: the surface starts at wall height on the overhang's edge
// (z = +-(width/2 + overhang)) and rises to the ridge at z = 0. Negative
// for a negative overhang.
double PitchedEaveRise(const HouseParams& p)
{
    return (p.roofHeight - p.wallHeight) * p.roofOverhang / (p.width / 2 + p.roofOverhang);
}

}  // namespace

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

void HouseGenerator::WriteGableWalls()
{
    const double h = params.width / 2;
    const double L = params.length;
    const double H = params.wallHeight;
    const double RH = params.roofHeight;
    eaveRise = PitchedEaveRise(params);
    // The five-cornered walls meet the roof at their shoulders; the texture's
    // top edge is at the ridge and its bottom edge on the ground.
    const double shoulder = H + eaveRise;
    const double shoulderRatio = 1 - shoulder / RH;

    using enum TextureShape;
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
    WriteFaceSections(out_, language, params.useWallColor ? &params.wallColor : nullptr, walls);
}

void HouseGenerator::WriteGableTriangles()
{
    const double h = params.width / 2;
    const double L = params.length;
    const double H = params.wallHeight;
    const double RH = params.roofHeight;
    const double OV = params.roofOverhang;
    eaveRise = PitchedEaveRise(params);

    // Standing on the wall tops and reaching the overhang on both sides.
    using enum TextureShape;
    const FaceSection gables[] = {
        {{";------Oromfal elöl------", ";------Gable front wall------"}, "[meshbuilder]",
         {{0, H, -h - OV}, {0, H, h + OV}, {0, RH, 0}}, "face 0,1,2", {Triangle, "7.bmp"}},
        {{";------Oromfalal hátsó------", ";------Gable behind wall------"}, "[meshbuilder]",
         {{L, H, h + OV}, {L, H, -h - OV}, {L, RH, 0}}, "face 0,1,2", {Triangle, "8.bmp"}},
    };
    WriteFaceSections(out_, language, params.useWallColor ? &params.wallColor : nullptr, gables);
}

void HouseGenerator::WriteLeanWalls()
{
    const double h = params.width / 2;
    const double L = params.length;
    const double H = params.wallHeight;
    const double RH = params.roofHeight;
    // Texture v of the low top corner of the front and back walls (H/RH).
    const std::string low = FormatReal(1 - (RH - H) / RH);

    using enum TextureShape;
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
    WriteFaceSections(out_, language, params.useWallColor ? &params.wallColor : nullptr, walls);
}

}  // namespace kestrane
