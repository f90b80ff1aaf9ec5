// Reading the area builder window's inputs into TerrainParams and the peak
// rows, and refusing what cannot be generated before anything is written.
#include "terrain/terrain_state.h"

#include "b3d/b3d_reader.h"
#include "core/cp1250.h"
#include "core/errors.h"
#include "core/field_reader.h"
#include "core/numbers.h"

#include <cmath>
#include <cstdio>

namespace kestrane {

namespace {

// A typed field of the area builder window, named by its caption.
using Field = TypedField<TerrainInput>;

const Field kAreaX{&TerrainInput::areaX, {"Alapterület X", "Area X"}};
const Field kAreaZ{&TerrainInput::areaZ, {"Alapterület Z", "Area Z"}};
const Field kResolutionX{&TerrainInput::resolutionX, {"Felbontás X", "Resolution X"}};
const Field kResolutionZ{&TerrainInput::resolutionZ, {"Felbontás Z", "Resolution Z"}};
const Field kOffsetX{&TerrainInput::offsetX, {"Ofszet X", "Offset X"}};
const Field kOffsetY{&TerrainInput::offsetY, {"Ofszet Y", "Offset Y"}};
const Field kOffsetZ{&TerrainInput::offsetZ, {"Ofszet Z", "Offset Z"}};
const Field kSlopeX{&TerrainInput::slopeX, {"Lejtés X", "Gradient X"}};
const Field kSlopeZ{&TerrainInput::slopeZ, {"Lejtés Z", "Gradient Z"}};
const Field kCurveX{&TerrainInput::curveX, {"Kanyar X", "Curve X"}};
const Field kCurveZ1{&TerrainInput::curveZ1, {"Kanyar Z1", "Curve Z1"}};
const Field kCurveZ2{&TerrainInput::curveZ2, {"Kanyar Z2", "Curve Z2"}};
const Field kTileLength{&TerrainInput::tileLength, {"Csempehossz", "Tile length"}};
const LocalText kPeakRowCaption{"Csúcs ", "Peak "};

const Field* const kFields[] = {&kAreaX,   &kAreaZ,  &kResolutionX, &kResolutionZ, &kOffsetX, &kOffsetY,
                                &kOffsetZ, &kSlopeX, &kSlopeZ,      &kCurveX,      &kCurveZ1, &kCurveZ2,
                                &kTileLength};

// The four columns of a peak row.
using PeakColumn = TypedField<TerrainPeakInput>;
const PeakColumn kPeakGridX{&TerrainPeakInput::gridX, {"X pozíció", "X pos."}};
const PeakColumn kPeakGridZ{&TerrainPeakInput::gridZ, {"Z pozíció", "Z pos."}};
const PeakColumn kPeakHeight{&TerrainPeakInput::height, {"Y magasság", "Y peak"}};
const PeakColumn kPeakWidth{&TerrainPeakInput::width, {"Szélesség", "Width"}};

[[noreturn]] void Refuse(const std::string& caption, const std::string& reason) { RefuseField(caption, reason); }

double ReadNumber(const std::string& text, const std::string& caption, UiLanguage language)
{
    return ReadFieldNumber(text, caption, language);
}

double ReadField(const TerrainInput& input, const Field& field, UiLanguage language)
{
    return field.Read(input, language);
}

std::string PeakCaption(int row, const PeakColumn& column, UiLanguage language)
{
    return kPeakRowCaption(language) + std::to_string(row) + ", " + column.caption(language);
}

// The number of cells along one axis: the typed resolution rounded, ties to
// even. Refuses 0 (the cell size would divide by zero) and a rounded value
// above `most`. Rounded values of 0 or less are valid and give no cells;
// those below -2 behave exactly like -2 and are kept as -2.
int ReadCellCount(double resolution, const Field& field, const TerrainInput& input, int most, LocalText axis,
                  UiLanguage language)
{
    const std::string caption = field.caption(language);
    if (resolution == 0.0)
        Refuse(caption, LocalText{"nem lehet 0 (a rácskocka mérete nullával való osztás lenne).",
                                  "must not be 0 (the cell size would be a division by zero)."}(language));
    const double rounded = std::nearbyint(resolution);  // ties to even
    if (rounded > most) {
        const std::string limit = std::to_string(most);
        Refuse(caption, language == UiLanguage::Hungarian
                            ? "\"" + input.*field.text + "\" kerekítve több mint " + limit +
                                  " rácskocka; " + axis(language) + " irányban legfeljebb " + limit + " lehet."
                            : "\"" + input.*field.text + "\" rounds to more than " + limit +
                                  " cells; at most " + limit + " fit along " + axis(language) + ".");
    }
    return rounded < -2.0 ? -2 : static_cast<int>(rounded);
}

// A texture name goes into every cell block as it is typed, as the one
// argument of "load <file>". A character the code page lacks or a control
// character (a line break) would corrupt the file; a "," would separate a
// second argument, a ";" start a comment, and blanks around the name are
// dropped by the line's reader, so such a name would not be the name typed.
// An empty name is allowed: it writes no texture lines.
void CheckTexture(const std::string& texture, UiLanguage language)
{
    const std::string caption = TerrainTextureCaption(language);
    if (texture.size() > b3d::kLongestTextureName)
        Refuse(caption, language == UiLanguage::Hungarian
                            ? "legfeljebb " + std::to_string(b3d::kLongestTextureName) +
                                  " karakteres név lehet (a betöltő ennél hosszabbat nem fogad el), nem " +
                                  std::to_string(texture.size()) + "."
                            : "a name has at most " + std::to_string(b3d::kLongestTextureName) +
                                  " characters (the loader takes no longer one), not " +
                                  std::to_string(texture.size()) + ".");
    if (const auto bad = FirstUnencodable(texture))
        Refuse(caption, language == UiLanguage::Hungarian
                            ? "a(z) \"" + *bad + "\" karakter nem írható a fájlba (Windows-1250)."
                            : "the character \"" + *bad + "\" cannot be written to the file (Windows-1250).");
    for (const char c : texture) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            char code[8];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(byte));
            Refuse(caption, language == UiLanguage::Hungarian
                                ? std::string("vezérlőkaraktert (") + code + ") nem tartalmazhat."
                                : std::string("must not contain a control character (") + code + ").");
        }
    }
    if (!texture.empty() && texture.find_first_not_of(' ') == std::string::npos)
        Refuse(caption, LocalText{"nem állhat csak szóközökből (textúra nélkül maradjon üresen).",
                                  "must not be blank (leave it empty for no texture)."}(language));
    if (!texture.empty() && (texture.front() == ' ' || texture.back() == ' '))
        Refuse(caption, LocalText{"nem kezdődhet és nem végződhet szóközzel.",
                                  "must not begin or end with a blank."}(language));
    if (texture.find(',') != std::string::npos)
        Refuse(caption, LocalText{"nem tartalmazhat \",\" karaktert (az egy második fájlnevet választana el).",
                                  "must not contain \",\" (it would separate a second file name)."}(language));
    if (texture.find(';') != std::string::npos)
        Refuse(caption, LocalText{"nem tartalmazhat \";\" karaktert (az megjegyzést kezdene).",
                                  "must not contain \";\" (it would start a comment)."}(language));
}

}  // namespace

std::string TerrainTextureCaption(UiLanguage language)
{
    return LocalText{"Terep textúrája", "Texture name"}(language);
}

std::string TerrainFieldCaption(const std::string TerrainInput::*text, UiLanguage language)
{
    if (text == &TerrainInput::texture)
        return TerrainTextureCaption(language);
    return CaptionOfField(kFields, text, language);
}

std::string TerrainPeakCaptionStart(UiLanguage language)
{
    return kPeakRowCaption(language);
}

void ReadTerrainInput(const TerrainInput& input, UiLanguage language, TerrainGeneratorState& state)
{
    TerrainParams p;
    p.area.x = ReadField(input, kAreaX, language);
    p.area.z = ReadField(input, kAreaZ, language);
    p.resolution.x = ReadField(input, kResolutionX, language);
    p.resolution.z = ReadField(input, kResolutionZ, language);
    p.offset.x = ReadField(input, kOffsetX, language);
    p.offset.y = ReadField(input, kOffsetY, language);
    p.offset.z = ReadField(input, kOffsetZ, language);
    p.slope.x = ReadField(input, kSlopeX, language);
    p.slope.z = ReadField(input, kSlopeZ, language);
    p.curveX = ReadField(input, kCurveX, language);
    p.curveZ1 = ReadField(input, kCurveZ1, language);
    p.curveZ2 = ReadField(input, kCurveZ2, language);
    p.texture = input.texture;
    CheckTexture(p.texture, language);
    p.useColor = input.useColor;
    p.baseColor = input.baseColor;
    p.layout = input.layout;
    p.twoSided = input.twoSided;
    if (p.layout == TerrainLayout::Simulator) {
        p.tileLength = ReadField(input, kTileLength, language);
        if (p.tileLength < 0.0)
            Refuse(kTileLength.caption(language),
                   language == UiLanguage::Hungarian
                       ? QuotedValue(input.tileLength, "bájt") + " negatív; 0 (nincs megadva) vagy pozitív méter lehet."
                       : QuotedValue(input.tileLength) + " is negative; it must be 0 (none) or positive metres.");
    }
    if (input.heightmap.Enabled())
        p.heightmap = ReadHeightmapInput(input.heightmap, language);

    std::array<TerrainPeak, kPeakCount> peaks;
    for (int k = 1; k <= kPeakCount; ++k) {
        const TerrainPeakInput& row = input.peaks[k - 1];
        TerrainPeak& peak = peaks[k - 1];
        peak.gridX = ReadNumber(row.*kPeakGridX.text, PeakCaption(k, kPeakGridX, language), language);
        peak.gridZ = ReadNumber(row.*kPeakGridZ.text, PeakCaption(k, kPeakGridZ, language), language);
        peak.height = ReadNumber(row.*kPeakHeight.text, PeakCaption(k, kPeakHeight, language), language);
        peak.width = ReadNumber(row.*kPeakWidth.text, PeakCaption(k, kPeakWidth, language), language);
        peak.color = row.color;
    }

    TerrainDerived d;
    d.rx = ReadCellCount(p.resolution.x, kResolutionX, input, kMaxCellsX, {"X", "X"}, language);
    d.rz = ReadCellCount(p.resolution.z, kResolutionZ, input, kMaxCellsZ, {"Z", "Z"}, language);
    d.cellX = p.area.x / p.resolution.x;
    d.cellZ = p.area.z / p.resolution.z;
    d.stepX = p.slope.x / p.resolution.x;
    d.stepZ = p.slope.z / p.resolution.z;

    // The curve's angle step divides by its radius, cellX times curveX.
    if (CurveApplies(p, d) && d.cellX * p.curveX == 0.0)
        Refuse(kAreaX.caption(language),
               LocalText{"kanyar esetén nem lehet 0 (a kanyar sugara 0 lenne).",
                         "must not be 0 when there is a curve (the curve's radius would be 0)."}(language));

    state.params = std::move(p);
    state.peaks = peaks;
    state.derived = d;
}

}  // namespace kestrane
