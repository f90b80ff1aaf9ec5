// The generation driver: file name, header, and the element order of each
// roof kind.
#include "house/house_generator.h"

#include "core/errors.h"
#include "house/house_header.h"
#include "b3d/simulator_limits.h"
#include "house/facade_openings.h"
#include "core/utf8_path.h"

namespace kestrane {

HouseDimensions DeriveHouseDimensions(const HouseParams& p)
{
    return {p.width / 2, p.width, p.length, p.wallHeight, p.roofHeight, p.roofOverhang};
}

HouseCorners DeriveHouseCorners(const HouseParams& p)
{
    const auto [h, W, L, H, RH, OV] = DeriveHouseDimensions(p);
    HouseCorners c;
    c.frontRightTop = {0, H, -h};
    c.frontRightBottom = {0, 0, -h};
    c.frontLeftBottom = {0, 0, h};
    c.frontLeftTop = {0, H, h};
    c.frontApex = {0, RH, 0};
    c.backRightTop = {L, H, -h};
    c.backRightBottom = {L, 0, -h};
    c.backLeftBottom = {L, 0, h};
    c.backLeftTop = {L, H, h};
    c.backApex = {L, RH, 0};
    return c;
}

HouseGenerator::HouseGenerator(B3dWriter& out, const HouseParams& params, UiLanguage language)
    : out_(out),
      params_(params),
      language_(language),
      corners_(DeriveHouseCorners(params)),
      dim_(DeriveHouseDimensions(params))
{
    out_.offset = params_.offset;
}

void HouseGenerator::Comment(const LocalText& text) { out_.WriteLine(text(language_)); }

RoofLeft HouseGenerator::OnWallTops() const
{
    const HouseCorners& c = corners_;
    return {{c.frontRightTop, c.frontLeftTop, c.backRightTop, c.backLeftTop}, 0.0, dim_.wallHeight};
}

HouseFlow HouseGenerator::WriteHouse(const std::string& fileName, std::span<const Opening> openings,
                                     std::span<const StairsBefore> stairs)
{
    stairs_.assign(stairs.begin(), stairs.end());
    WriteHouseHeader(out_, language_,
                     {fileName, params_.offset, dim_.width, dim_.length, dim_.wallHeight, dim_.roofHeight});

    const bool gutters = params_.gutters;
    WallsLeft walls;
    RoofLeft roof;
    switch (params_.roofKind) {
    case RoofKind::Pitched:
        if (params_.roofLevelTexture) {
            walls = negyszogfalwrite();
            walls.eaveRise = WriteGableTriangles();
        } else {
            walls = WriteGableWalls();
        }
        roof = WritePitchedRoof(walls.eaveRise);
        WriteSideGutters(roof.eave);  // whatever the gutter box says
        if (gutters)
            WriteDownpipe(walls, roof);
        break;
    case RoofKind::Hip:
    case RoofKind::Pyramid:
        walls = negyszogfalwrite();
        roof = params_.roofKind == RoofKind::Hip ? WriteHipRoof() : WritePyramidRoof();
        if (gutters) {
            WriteGutterRing(roof.eave);
            WriteDownpipe(walls, roof);
        }
        break;
    case RoofKind::Flat:
        walls = negyszogfalwrite();
        roof = params_.flatRoofEdge ? WriteFlatRoofEdge() : WriteFlatRoof();
        break;
    case RoofKind::Lean:
        walls = params_.roofLevelTextureChecked ? negyszogfalwrite() : WriteLeanWalls();
        roof = WriteLeanRoof();
        if (gutters) {
            WriteLeanGutter(roof.eave);
            WriteDownpipe(walls, roof);
        }
        break;
    case RoofKind::HalfHipped:
    case RoofKind::Gambrel:
    case RoofKind::Mansard:
    case RoofKind::Saltbox:
        walls = negyszogfalwrite();
        roof = WriteRoofForm();
        if (gutters) {
            if (params_.roofKind == RoofKind::Mansard)
                WriteGutterRing(roof.eave);
            else
                WriteSideGutters(roof.eave);
            WriteDownpipe(walls, roof);
        }
        break;
    }

    // The facades after the walls, roof and gutters of every roof kind.
    WriteFacades(openings);
    if (params_.chimneySize > 0)
        WriteChimney();
    if (params_.stairSteps > 0) {
        if (params_.stairFront > 0)
            WriteFrontStairs();
        if (params_.stairSide > 0)
            WriteSideStairs();
        if (params_.stairCorner > 0)
            WriteCornerStairs(params_.stairCorner);
    }
    return {walls, roof};
}

void HouseGenerator::WriteFacades(std::span<const Opening> openings)
{
    if (params_.facades.enabled)
        WriteFacadeOpenings(out_, language_, params_.facades, FacadeWalls(params_), openings);
}

std::string HouseFileName(RoofKind kind, UiLanguage language)
{
    return std::string(RoofKindOf(kind).fileName(language)) + ".b3d";
}

std::string GeneratingStatus(UiLanguage language)
{
    return LocalText{"Generálás...", "Generating..."}(language);
}

std::string HouseFinishedStatus(const std::string& fileName, UiLanguage language)
{
    return fileName + LocalText{" fájl generálása kész", " file generating successfull"}(language);
}

std::vector<GenerationWarning> HouseWarnings(const HouseParams& params, const ObjectSize& written,
                                            UiLanguage language)
{
    std::vector<GenerationWarning> warnings = HousePlausibilityWarnings(params, language);
    // The windows the stairs would cover (the layout was refused before
    // anything was written, or it holds).
    for (GenerationWarning& note :
         LayOutFacades(params.facades, FacadeWalls(params), params.wallHeight, StairsBeforeWalls(params), language).notes)
        warnings.push_back(std::move(note));
    if (auto tooLarge = SimulatorLimitWarning(written, ObjectKind::House, language))
        warnings.push_back(std::move(*tooLarge));
    return warnings;
}

HouseResult GenerateHouse(const HouseInput& input, UiLanguage language, const std::filesystem::path& folder,
                          const std::string& fileName)
{
    const HouseParams params = ReadHouseParams(input, language);
    HouseResult result;
    result.fileName = FileNameInFormat(fileName.empty() ? HouseFileName(params.roofKind, language) : fileName,
                                       input.format);
    result.path = PathInFolder(folder, result.fileName);

    // Openings that do not fit are refused before anything is opened.
    const FacadeLayout layout =
        LayOutFacades(params.facades, FacadeWalls(params), params.wallHeight, StairsBeforeWalls(params), language);

    B3dWriter out;
    out.format = input.format;
    out.OpenOutput(result.path, B3dWriter::Counting::On);
    try {
        HouseGenerator generator(out, params, language);
        generator.WriteHouse(result.fileName, layout.openings, layout.stairs);
    } catch (const NonFiniteValue&) {
        out.Abandon();
        throw InputError(LocalText{"A megadott méretekből nem véges érték adódik; a fájl nem készült el.",
                                       "The dimensions give a value that is not finite; no file was written."}(language));
    }
    out.CloseOutput();
    const B3dCounts& written = out.Counts();
    result.status = HouseFinishedStatus(result.fileName, language);
    result.size = {written.sections, written.vertices};
    result.warnings = HouseWarnings(params, result.size, language);
    // With facades the object needs bitmaps besides the usual ones: every
    // file its load lines name.
    if (params.facades.enabled)
        result.textures = written.textures;
    result.loaded = written.textures;
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
