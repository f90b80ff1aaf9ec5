// Roofs: flat (with or without its edge), pitched, pyramid, hip and lean.
#include "house/house_generator.h"

#include "house/face_sections.h"

#include "core/numbers.h"
#include "house/house_constants.h"

#include <array>
#include <span>
#include <string>
#include <vector>

namespace kestrane {

namespace {
const LocalText kRoofPanel{";Tetőlemez", ";Roof panel"};

// The eave corners of a roof that overhangs all four walls by `overhang`.
RoofLeft OverhangingEaves(const HouseDimensions& d)
{
    const auto [h, W, L, H, RH, OV] = d;
    return {{{-OV, H, -h - OV}, {-OV, H, h + OV}, {L + OV, H, -h - OV}, {L + OV, H, h + OV}}, 0.0, H};
}

// A thin panel 0.002 high centred over the house at `height`: the flat
// roof, and the soffit under an overhanging roof.
void WritePanel(B3dWriter& out, const std::string& title, double halfLength, double halfWidth, double height,
                const HouseDimensions& d)
{
    out.WriteLine(title);
    out.WriteLine("[meshbuilder]");
    out.EmitCube(FormatReal(halfLength), "0.001", FormatReal(halfWidth));
    out.EmitColorUnpadded(kSoffitColor);
    out.EmitTranslate(d.length / 2, height, 0);
    out.WriteLine("");
}

// The soffit's top face lies at wall height.
void WriteSoffit(B3dWriter& out, const std::string& title, double halfLength, double halfWidth,
                 const HouseDimensions& d)
{
    WritePanel(out, title, halfLength, halfWidth, d.wallHeight - 0.001, d);
}

// The soffit of a roof that overhangs all four walls; none for a negative
// overhang.
void SoffitAllRound(B3dWriter& out, const std::string& soffitTitle, const HouseDimensions& d)
{
    if (d.overhang > 0)
        WriteSoffit(out, soffitTitle, d.length / 2 + d.overhang - 0.001, d.halfWidth + d.overhang - 0.001, d);
}

// A triangle closing the end of an overhang, in a gable plane: its
// vertices are relative to `at` and carry no offset; the translate does.
// Each corner's fields are FormatReal text or the fixed "0".
using RelativeCorner = std::array<std::string, 3>;
void WriteFiller(B3dWriter& out, std::span<const RelativeCorner> corners, const Vec3& at)
{
    out.WriteLine("[meshbuilder]");
    for (const RelativeCorner& c : corners)
        out.EmitVertexRelative(c[0], c[1], c[2]);
    out.WriteLine("face 0,1,2");
    out.EmitColorUnpadded(kSoffitColor);
    out.EmitTranslate(at);
    out.WriteLine("");
}

}  // namespace

// The roof of every kind but the lean one ends on the wall tops or overhangs
// all four walls; a negative overhang counts as none.
RoofLeft HouseGenerator::EavesAllRound() const
{
    return dim_.overhang > 0 ? OverhangingEaves(dim_) : OnWallTops();
}

template <class FacesOnEaves>
RoofLeft HouseGenerator::WriteRoofAllRound(const LocalText& soffitTitle, FacesOnEaves facesOnEaves)
{
    SoffitAllRound(out_, soffitTitle(language_), dim_);
    const RoofLeft left = EavesAllRound();
    const std::vector<FaceSection> faces = facesOnEaves(left.eave);
    WriteFaceSections(out_, language_, RoofColor(), faces);
    return left;
}

RoofLeft HouseGenerator::WriteFlatRoof()
{
    WriteSoffit(out_, kRoofPanel(language_), dim_.length / 2, dim_.halfWidth, dim_);
    return OnWallTops();
}

RoofLeft HouseGenerator::WriteFlatRoofEdge()
{
    const auto [h, W, L, H, RH, OV] = dim_;
    const double r = 0.3;  // width and height of the rim

    // The panel, lowered by the rim's height.
    WritePanel(out_, kRoofPanel(language_), (L - 0.01) / 2, (W - 0.01) / 2, H - r, dim_);

    struct Quad {
        const LocalText* title;  // the inner faces have none
        Vec3 vertices[4];
    };
    const LocalText front{";Tetőperem elöl", ";Front roof top"};
    const LocalText right{";Tetőperem jobb", ";Right roof top"};
    const LocalText back{";Tetőperem hátul", ";Behind roof top"};
    const LocalText left{";Tetőperem bal", ";Left roof top"};
    // Fixed texts: their spellings, casing and blanks are kept byte for byte.
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
        out_.EmitColorUnpadded(kRoofRimColor);
        // The left strip runs straight into the first inner face.
        if (&quad != lastStrip)
            out_.WriteLine("");
    }
    return OnWallTops();
}

RoofLeft HouseGenerator::WritePitchedRoof(double eaveRise)
{
    const auto [h, W, L, H, RH, OV] = dim_;
    const double e = eaveRise;

    // The ridge reaches the overhang beyond the gables whatever its sign.
    const Vec3 ridgeStart{-OV, RH, 0};
    const Vec3 ridgeEnd{L + OV, RH, 0};
    RoofLeft left = OV > 0 ? OverhangingEaves(dim_) : OnWallTops();
    left.eaveRise = eaveRise;

    if (OV > 0) {
        WriteSoffit(out_, LocalText{";------Nyeregtető alap------", ";------Piched roof base------"}(language_),
                    L / 2 - 0.005, h + OV - 0.001, dim_);
    }
    if (OV > 0 && !params_.roofLevelTexture) {
        // Between the gable wall's shoulder, its top corner and the eave
        // corner beside it; the gable triangles cover this otherwise.
        struct Filler {
            const LocalText* title;  // once before each pair
            Vec3 relative[3];
            Vec3 at;
        };
        const LocalText front{";------Nyeregtető oldala elöl------", ";------Piched roof front side------"};
        const LocalText back{";------Nyeregtető oldala hátul------", ";------Piched roof behind side------"};
        // Fixed texts: their spellings, casing and blanks are kept byte for byte.
        const Filler fillers[] = {
            {&front, {{0, 0, -OV}, {0, 0, 0}, {0, e, 0}}, {0, H, -h}},
            {nullptr, {{0, 0, 0}, {0, 0, OV}, {0, e, 0}}, {0, H, h}},
            {&back, {{0, 0, 0}, {0, 0, -OV}, {0, e, 0}}, {L, H, -h}},
            {nullptr, {{0, 0, OV}, {0, 0, 0}, {0, e, 0}}, {L, H, h}},
        };
        for (const Filler& filler : fillers) {
            if (filler.title)
                Comment(*filler.title);
            RelativeCorner corners[3];
            for (int i = 0; i < 3; ++i) {
                const Vec3& v = filler.relative[i];
                corners[i] = {FormatReal(v.x), FormatReal(v.y), FormatReal(v.z)};
            }
            WriteFiller(out_, corners, filler.at);
        }
    }

    const EaveCorners& eave = left.eave;
    using enum TextureShape;
    // Fixed texts: their spellings, casing and blanks are kept byte for byte.
    const FaceSection faces[] = {
        {{";------Nyeregtető jobb------", ";------Piched roof right------"}, "[meshbuilder]",
         {eave.backRight, eave.frontRight, ridgeStart, ridgeEnd}, "face2 0,1,2,3", {Quad, "a.bmp"}},
        {{";------Nyeregtető bal------", ";------Piched roof left------"}, "[meshbuilder]",
         {eave.frontLeft, eave.backLeft, ridgeEnd, ridgeStart}, "face2 0,1,2,3", {Quad, "b.bmp"}},
    };
    WriteFaceSections(out_, language_, RoofColor(), faces);
    return left;
}

RoofLeft HouseGenerator::WritePyramidRoof()
{
    const Vec3 apex{dim_.length / 2, dim_.roofHeight, 0};
    using enum TextureShape;
    // Fixed texts: their spellings, casing and blanks are kept byte for byte.
    return WriteRoofAllRound({";------Sátortető alap------", ";------Piramyd roof base------"}, [&](const EaveCorners& eave) {
        return std::vector<FaceSection>{
            {{";------Sátortető elől------", ";------Piramyd roof front------"}, "[meshbuilder];sátortető elöl",
             {eave.frontRight, eave.frontLeft, apex}, "face 0,1,2", {Triangle, "a.bmp"}},
            {{";------Sátortető jobb------", ";------Piramyd roof right------"}, "[meshbuilder]",
             {eave.backRight, eave.frontRight, apex}, "face 0,1,2", {Triangle, "b.bmp"}},
            {{";------Sátortető hátul------", ";------Piramyd roof behind------"}, "[meshbuilder]",
             {eave.backLeft, eave.backRight, apex}, "face 0,1,2", {Triangle, "c.bmp"}},
            {{";------Sátortető bal------", ";------Piramyd roof left------"}, "[meshbuilder]",
             {eave.frontLeft, eave.backLeft, apex}, "face 0,1,2", {Triangle, "d.bmp"}},
        };
    });
}

RoofLeft HouseGenerator::WriteHipRoof()
{
    const auto [h, W, L, H, RH, OV] = dim_;
    const double HD = params_.hipDepth;

    // The ridge ends are measured from the wall planes, the texture inset
    // over the whole eave edge.
    const Vec3 hipFront{HD, RH, 0};
    const Vec3 hipBack{L - HD, RH, 0};
    const double hipInset = HD / (L + 2 * OV);

    using enum TextureShape;
    // Fixed texts: their spellings, casing and blanks are kept byte for byte.
    return WriteRoofAllRound({";------Kontyolt tető alap------", ";------Hip roof base------"}, [&](const EaveCorners& eave) {
        return std::vector<FaceSection>{
            {{";------Kontyolt tető elöl------", ";------Hip roof front------"}, "[meshbuilder]",
             {eave.frontRight, eave.frontLeft, hipFront}, "face 0,1,2", {Triangle, "a.bmp"}},
            {{";------Kontyolt tető job------", ";------Hip roof right------"}, "[meshbuilder]",
             {eave.backRight, eave.frontRight, hipFront, hipBack}, "face 0,1,2,3", {QuadSloped, "b.bmp", hipInset}},
            {{";------Kontyolt tető hátul------", ";------Hip roof behind------"}, "[meshbuilder]",
             {eave.backLeft, eave.backRight, hipBack}, "face 0,1,2", {Triangle, "c.bmp"}},
            {{";------Kontyolt tető bal------", ";------Hip roof left------"}, "[meshbuilder]",
             {eave.frontLeft, eave.backLeft, hipBack, hipFront}, "face 0,1,2,3", {QuadSloped, "d.bmp", hipInset}},
        };
    });
}

RoofLeft HouseGenerator::WriteLeanRoof()
{
    const auto [h, W, L, H, RH, OV] = dim_;

    // Low along the right wall, the ridge on top of the left wall. The roof
    // overhangs only on the low side; a negative overhang moves the eave in.
    const Vec3 ridgeStart{0, RH, h};
    const Vec3 ridgeEnd{L, RH, h};
    // Only the two low eave corners: the ridge side has no gutter.
    RoofLeft left{{}, 0.0, H};
    EaveCorners& eave = left.eave;
    eave.frontRight = {0, H, -h - OV};
    eave.backRight = {L, H, -h - OV};

    using enum TextureShape;
    if (params_.roofLevelTexture) {
        // The gable parts above the rectangular walls.
        // Fixed texts: their spellings, casing and blanks are kept byte for byte.
        const FaceSection gables[] = {
            {{";------Oromfal elöl------", ";------Gable front wall------"}, "[meshbuilder]",
             {{0, H, -h}, {0, H, h}, ridgeStart}, "face 0,1,2 ",
             {Listed, "7.bmp", 0.0, {"0,1,1", "1,0,1", "2,0,0"}}},
            {{";------Oromfal hátul------", ";------Gable behind wall------"}, "[meshbuilder]",
             {{L, H, h}, {L, H, -h}, ridgeEnd}, "face 0,1,2 ",
             {Listed, "8.bmp", 0.0, {"0,1,1", "1,0,1", "2,1,0"}}},
            {{";------Oromfal bal------", ";------Gable left wall------"}, "[meshbuilder]",
             {{0, H, h}, {L, H, h}, ridgeEnd, ridgeStart}, "face 0,1,2,3 ",
             {Listed, "9.bmp", 0.0, {"0,1,1", "1,0,1", "2,0,0", "3,1,0"}}},
        };
        WriteFaceSections(out_, language_, WallColor(), gables);
    }

    if (OV > 0) {
        // The roof plane passes H over the right wall and RH over the left
        // one, so it drops by e over the overhang.
        const double e = (RH - H) * OV / W;
        const double eaveHeight = H - e;
        eave.frontRight = {0, eaveHeight, -h - OV};
        eave.backRight = {L, eaveHeight, -h - OV};
        left.eaveRise = e;
        left.rightWallTop = eaveHeight;

        // Soffit: a horizontal quad at eave height under the whole roof.
        Comment({";------Féltető alap------", ";------Lean roof base------"});
        out_.WriteLine("[meshbuilder]");
        for (const Vec3& v : {eave.backRight, eave.frontRight, Vec3{0, eaveHeight, h},
                              Vec3{L, eaveHeight, h}})
            out_.EmitVertex(v);
        out_.WriteLine("face 3,2,1,0");
        out_.EmitColorUnpadded(kSoffitColor);
        out_.WriteLine("");

        // The two ends of the overhang: eave corner, the point under the
        // right wall at eave height and the right wall's top corner.
        const RelativeCorner outward{"0", "0", FormatReal(-OV)};
        const RelativeCorner atWall{"0", "0", "0"};
        const RelativeCorner wallTop{"0", FormatReal(e), "0"};
        const RelativeCorner front[] = {outward, atWall, wallTop};
        const RelativeCorner back[] = {atWall, outward, wallTop};
        Comment({";------Féltető oldala elöl------", ";------Lean roof side front------"});
        WriteFiller(out_, front, {0, eaveHeight, -h});
        Comment({";------Féltető oldala hátul------", ";------Lean roof side behind------"});
        WriteFiller(out_, back, {L, eaveHeight, -h});
    }

    // Fixed texts: their spellings, casing and blanks are kept byte for byte.
    const FaceSection roof[] = {
        {{";------Féltető------", ";------Lean roof------"}, "[meshbuilder]",
         {eave.backRight, eave.frontRight, ridgeStart, ridgeEnd}, "face2 0,1,2,3", {Quad, "a.bmp"}},
    };
    WriteFaceSections(out_, language_, RoofColor(), roof);
    return left;
}

}  // namespace kestrane
