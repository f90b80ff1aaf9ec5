// The generation driver: file name, header, and the element order of each
// roof kind.
#include "house/house_generator.h"

#include "core/errors.h"
#include "house/house_header.h"
#include "house/facade_openings.h"

#include "b3d/b3d_reader.h"

#include <algorithm>

namespace kestrane {

HouseCorners DeriveHouseCorners(const HouseParams& p)
{
    const double half = p.width / 2;
    const double L = p.length;
    const double H = p.wallHeight;
    HouseCorners c;
    c.frontRightTop = {0, H, -half};
    c.frontRightBottom = {0, 0, -half};
    c.frontLeftBottom = {0, 0, half};
    c.frontLeftTop = {0, H, half};
    c.frontApex = {0, p.roofHeight, 0};
    c.backRightTop = {L, H, -half};
    c.backRightBottom = {L, 0, -half};
    c.backLeftBottom = {L, 0, half};
    c.backLeftTop = {L, H, half};
    c.backApex = {L, p.roofHeight, 0};
    return c;
}

HouseGenerator::HouseGenerator(B3dWriter& out, const HouseParams& houseParams, UiLanguage uiLanguage)
    : params(houseParams), language(uiLanguage), corners(DeriveHouseCorners(houseParams)), out_(out)
{
    out_.offset = params.offset;
}

void HouseGenerator::Comment(const LocalText& text) { out_.WriteLine(text(language)); }

void HouseGenerator::WriteHouse(const std::string& fileName)
{
    WriteHouseHeader(out_, language,
                     {fileName, params.offset, params.width, params.length, params.wallHeight, params.roofHeight});

    const bool gutters = params.gutters;
    switch (params.roofKind) {
    case RoofKind::Pitched:
        if (params.roofLevelTexture) {
            negyszogfalwrite();
            WriteGableTriangles();
        } else {
            WriteGableWalls();
        }
        WritePitchedRoof();
        WriteSideGutters();  // whatever the gutter box says
        if (gutters)
            WriteDownpipe();
        break;
    case RoofKind::Hip:
    case RoofKind::Pyramid:
        negyszogfalwrite();
        if (params.roofKind == RoofKind::Hip)
            WriteHipRoof();
        else
            WritePyramidRoof();
        if (gutters) {
            WriteGutterRing();
            WriteDownpipe();
        }
        break;
    case RoofKind::Flat:
        negyszogfalwrite();
        if (params.flatRoofEdge)
            WriteFlatRoofEdge();
        else
            WriteFlatRoof();
        break;
    case RoofKind::Lean:
        if (params.roofLevelTextureChecked)
            negyszogfalwrite();
        else
            WriteLeanWalls();
        WriteLeanRoof();
        if (gutters) {
            WriteLeanGutter();
            WriteDownpipe();
        }
        break;
    }

    // The facades after the walls, roof and gutters of every roof kind.
    WriteFacades();
    if (params.chimneySize > 0)
        WriteChimney();
    if (params.stairSteps > 0) {
        if (params.stairFront > 0)
            WriteFrontStairs();
        if (params.stairSide > 0)
            WriteSideStairs();
        if (params.stairCorner > 0)
            WriteCornerStairs(params.stairCorner);
    }
}

void HouseGenerator::WriteFacades()
{
    if (params.facades.enabled)
        WriteFacadeOpenings(out_, language, params.facades, FacadeWalls(params), openings);
}

std::string HouseFileName(RoofKind kind, UiLanguage language)
{
    static const LocalText kBaseNames[] = {
        {"haz_nyeregteto", "House_piched"},   // pitched
        {"haz_kontyoltteto", "House_hip"},    // hip
        {"haz_satorteto", "House_pyramid"},   // pyramid
        {"haz_laposteto", "House_flat"},      // flat
        {"haz_felteto", "haz_lean"},          // lean
    };
    return std::string(kBaseNames[static_cast<int>(kind)](language)) + ".b3d";
}

std::string GeneratingStatus(UiLanguage language)
{
    return LocalText{"Generálás...", "Generating..."}(language);
}

std::string HouseFinishedStatus(const std::string& fileName, UiLanguage language)
{
    return fileName + LocalText{" fájl generálása kész", " file generating successfull"}(language);
}

HouseResult GenerateHouse(const HouseInput& input, UiLanguage language, const std::filesystem::path& folder)
{
    const HouseParams params = ReadHouseParams(input, language);
    HouseResult result;
    result.fileName = HouseFileName(params.roofKind, language);
    result.path = folder.empty() ? std::filesystem::path(result.fileName) : folder / result.fileName;

    // Openings that do not fit are refused before anything is opened.
    const std::vector<Opening> openings =
        LayOutFacades(params.facades, FacadeWalls(params), params.wallHeight, language);

    B3dWriter out;
    out.OpenOutput(result.path);
    try {
        HouseGenerator generator(out, params, language);
        generator.openings = openings;
        generator.WriteHouse(result.fileName);
    } catch (const NonFiniteValue&) {
        out.Abandon();
        throw InputError("", LocalText{"A megadott méretekből nem véges érték adódik; a fájl nem készült el.",
                                       "The dimensions give a value that is not finite; no file was written."}(language));
    }
    out.CloseOutput();
    result.status = HouseFinishedStatus(result.fileName, language);
    if (params.facades.enabled) {
        // The object as written is the list's source: every Load it holds.
        for (const b3d::Section& section : b3d::ReadB3dFile(result.path).sections) {
            if (!section.texture.empty() &&
                std::find(result.textures.begin(), result.textures.end(), section.texture) == result.textures.end())
                result.textures.push_back(section.texture);
        }
    }
    return result;
}

std::string TextureListText(const std::vector<std::string>& textures, UiLanguage language)
{
    std::string text = LocalText{"Szükséges textúrák:", "Bitmaps needed:"}(language);
    for (const std::string& name : textures)
        text += "\n  " + name;
    return text;
}

}  // namespace kestrane
