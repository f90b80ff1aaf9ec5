// Roofs: flat (with or without its edge), pitched, pyramid, hip and lean.
#include "house/house_generator.h"

#include "output/numbers.h"

namespace kestrane {

namespace {
const LocalText kRoofPanel{";Tetőlemez", ";Roof panel"};
}  // namespace

void HouseGenerator::WriteFlatRoof()
{
    const double L = params.length;
    const double W = params.width;
    Comment(kRoofPanel);
    out_.WriteLine("[meshbuilder]");
    out_.WriteLine("cube " + FormatReal(L / 2) + ",0.001," + FormatReal(W / 2));
    out_.WriteLine("color 100,90,70");
    out_.EmitTranslate(L / 2, params.wallHeight - 0.001, 0);
    out_.WriteLine("");
}

void HouseGenerator::WriteFlatRoofEdge()
{
    const double L = params.length;
    const double W = params.width;
    const double H = params.wallHeight;
    const double r = 0.3;  // width and height of the rim
    const double h = W / 2;

    // The panel, lowered by the rim's height.
    Comment(kRoofPanel);
    out_.WriteLine("[meshbuilder]");
    out_.WriteLine("cube " + FormatReal((L - 0.01) / 2) + ",0.001," + FormatReal((W - 0.01) / 2));
    out_.WriteLine("color 100,90,70");
    out_.EmitTranslate(L / 2, H - r, 0);
    out_.WriteLine("");

    struct Quad {
        const LocalText* title;  // the inner faces have none
        Vec3 vertices[4];
    };
    const LocalText front{";Tetőperem elöl", ";Front roof top"};
    const LocalText right{";Tetőperem jobb", ";Right roof top"};
    const LocalText back{";Tetőperem hátul", ";Behind roof top"};
    const LocalText left{";Tetőperem bal", ";Left roof top"};
    const Quad quads[] = {
        // The four strips on the wall tops.
        {&front, {{0, H, -h}, {0, H, h}, {r, H, h - r}, {r, H, -h + r}}},
        {&right, {{L, H, -h}, {0, H, -h}, {r, H, -h + r}, {L - r, H, -h + r}}},
        {&back, {{L, H, h}, {L, H, -h}, {L - r, H, -h + r}, {L - r, H, h - r}}},
        {&left, {{0, H, h}, {L, H, h}, {L - r, H, h - r}, {r, H, h - r}}},
        // The four inner faces that close the rim towards the panel.
        {nullptr, {{r, H - r, h - r}, {r, H - r, -h + r}, {r, H, -h + r}, {r, H, h - r}}},
        {nullptr, {{r, H - r, -h + r}, {L - r, H - r, -h + r}, {L - r, H, -h + r}, {r, H, -h + r}}},
        {nullptr, {{L - r, H - r, -h + r}, {L - r, H - r, h - r}, {L - r, H, h - r}, {L - r, H, -h + r}}},
        {nullptr, {{L - r, H - r, h - r}, {r, H - r, h - r}, {r, H, h - r}, {L - r, H, h - r}}},
    };
    const Quad* const lastStrip = &quads[3];
    for (const Quad& quad : quads) {
        if (quad.title)
            Comment(*quad.title);
        out_.WriteLine("[meshbuilder]");
        for (const Vec3& v : quad.vertices)
            out_.EmitVertex(v);
        out_.WriteLine("face 0,1,2,3 ");
        out_.WriteLine("color 90,80,70");
        // The left strip runs straight into the first inner face.
        if (&quad != lastStrip)
            out_.WriteLine("");
    }
}

void HouseGenerator::WritePitchedRoof() {}
void HouseGenerator::WritePyramidRoof() {}
void HouseGenerator::WriteHipRoof() {}
void HouseGenerator::WriteLeanRoof() {}
void HouseGenerator::WriteGableWalls() {}
void HouseGenerator::WriteGableTriangles() {}
void HouseGenerator::WriteLeanWalls() {}

}  // namespace kestrane
