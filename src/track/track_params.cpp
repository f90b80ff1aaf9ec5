// The kit's typed fields, read against one table of captions and ranges.
#include "track/track_params.h"

#include "core/errors.h"
#include "core/field_reader.h"
#include "core/numbers.h"

#include <algorithm>
#include <cmath>

namespace kestrane {

namespace {

using Text = std::string TrackInput::*;

// A typed number: the member it is typed in and the one it is read into,
// its caption, the range it may take and the factor from the typed unit to
// metres.
struct Field {
    Text text;
    double TrackParams::*value;
    LocalText caption;
    double lowest;
    double highest;
    const char* unit;  // as the range is typed: "m", "mm", ""
    double toMetres;
    bool zeroAllowed;  // 0 also allowed below `lowest` (none / the default)
};

// In the order they are read, and so refused.
//    typed in, read into, caption (hu, en), lowest, highest, unit, factor, zero allowed
const Field kFields[] = {
    {&TrackInput::blockLength, &TrackParams::blockLength, {"Blokkhossz", "Block length"}, 1.0, 1000.0, "m", 1.0, false},
    {&TrackInput::tolerance, &TrackParams::tolerance, {"Tűrés", "Tolerance"}, 1.0, 100.0, "mm", 0.001, false},
    {&TrackInput::overlap, &TrackParams::overlap, {"Túlnyúlás", "Overlap"}, 0.0, 100.0, "m", 1.0, false},
    {&TrackInput::textureWidth, &TrackParams::textureWidth, {"Textúraszélesség", "Texture width"}, 0.1, 1000.0, "m", 1.0, true},
    {&TrackInput::formation, &TrackParams::formation, {"Planum félszélessége", "Formation half-width"}, 1.0, 20.0, "m", 1.0, false},
    {&TrackInput::formationDepth, &TrackParams::formationDepth, {"Planum mélysége", "Formation depth"}, 0.35, 5.0, "m", 1.0, false},
    {&TrackInput::slope, &TrackParams::slope, {"Rézsű", "Slope"}, 0.2, 10.0, "", 1.0, false},
    {&TrackInput::apron, &TrackParams::apron, {"Padka", "Apron"}, 0.0, 100.0, "m", 1.0, false},
    {&TrackInput::ballastWidth, &TrackParams::ballastWidth, {"Ágyazat szélessége", "Ballast width"}, 2.6, 20.0, "m", 1.0, false},
    {&TrackInput::sleepers, &TrackParams::sleeperSpacing, {"Aljtávolság", "Sleeper spacing"}, 0.3, 5.0, "m", 1.0, true},
    {&TrackInput::gauge, &TrackParams::gauge, {"Nyomtáv", "Gauge"}, 0.38, 2.5, "m", 1.0, false},
    {&TrackInput::cant, &TrackParams::cant, {"Túlemelés", "Cant"}, 0.0, 2500.0, "mm", 0.001, false},
    {&TrackInput::dikeHeight, &TrackParams::dikeHeight, {"Töltés magassága", "Dike height"}, 0.0, 50.0, "m", 1.0, false},
    {&TrackInput::ditchWidth, &TrackParams::ditchWidth, {"Árok szélessége", "Ditch width"}, 0.0, 10.0, "m", 1.0, false},
    {&TrackInput::ditchDepth, &TrackParams::ditchDepth, {"Árok mélysége", "Ditch depth"}, 0.0, 5.0, "m", 1.0, false},
    {&TrackInput::cuttingHeight, &TrackParams::cuttingHeight, {"Bevágás magassága", "Cutting height"}, 0.0, 50.0, "m", 1.0, false},
    {&TrackInput::wallHeight, &TrackParams::wallHeight, {"Támfal magassága", "Wall height"}, 0.0, 30.0, "m", 1.0, false},
    {&TrackInput::wallThickness, &TrackParams::wallThickness, {"Támfal vastagsága", "Wall thickness"}, 0.1, 5.0, "m", 1.0, false},
    {&TrackInput::groundWidth, &TrackParams::groundWidth, {"Terep félszélessége", "Ground half-width"}, 1.0, 1000.0, "m", 1.0, false},
};

const LocalText kRadiiCaption{"Sugarak", "Radii"};
const LocalText kPiecesCaption{"Elemek", "Pieces"};
const LocalText kTextureCaption{"Textúra ", "Texture "};

[[noreturn]] void Refuse(const std::string& caption, const std::string& message)
{
    throw InputError(caption, caption + ": " + message);
}

// A finite number; `text` is refused otherwise.
double ReadNumber(const std::string& caption, const std::string& text, UiLanguage language)
{
    const auto value = ParseReal(text);
    if (!value || !std::isfinite(*value) || text.find_first_not_of(' ') == std::string::npos)
        Refuse(caption, language == UiLanguage::Hungarian ? "\"" + text + "\" nem szám."
                                                          : "\"" + text + "\" is not a number.");
    return *value;
}

double ReadField(const TrackInput& input, const Field& field, UiLanguage language)
{
    const std::string caption = field.caption(language);
    const std::string& text = input.*field.text;
    const double value = ReadNumber(caption, text, language);
    if ((value < field.lowest || value > field.highest) && !(field.zeroAllowed && value == 0.0)) {
        const std::string unit = *field.unit ? std::string(" ") + field.unit : std::string();
        const std::string range = TrackNumberText(field.lowest) + LocalText{" és ", " to "}(language) + TrackNumberText(field.highest) + unit;
        const std::string zero = field.zeroAllowed ? LocalText{" (vagy 0)", " (or 0)"}(language) : "";
        Refuse(caption, language == UiLanguage::Hungarian
                            ? range + zero + " között lehet, nem \"" + text + "\"."
                            : "must be " + range + zero + ", not \"" + text + "\".");
    }
    return value * field.toMetres;
}

std::vector<std::string> SplitCommas(const std::string& text)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos)
            return parts;
        start = comma + 1;
    }
}

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Signed radii, each 0 or at least 20 m, with at most three decimals (they
// name the files), none twice.
std::vector<double> ReadRadii(const std::string& text, UiLanguage language)
{
    const std::string caption = kRadiiCaption(language);
    std::vector<double> radii;
    for (const std::string& typed : SplitCommas(text)) {
        const std::string part = Trimmed(typed);
        const double radius = ReadNumber(caption, part, language);
        const auto point = part.find('.');
        if (part.find_first_of("eE") != std::string::npos ||
            (point != std::string::npos && part.size() - point - 1 > 3))
            Refuse(caption, language == UiLanguage::Hungarian
                                ? "\"" + part + "\": legfeljebb három tizedesjegy lehet (a fájlnévbe kerül)."
                                : "\"" + part + "\": at most three decimals (it names the files).");
        if (radius != 0.0 && std::fabs(radius) < 20.0)
            Refuse(caption, language == UiLanguage::Hungarian
                                ? "\"" + part + "\": 0 (egyenes) vagy legalább 20 m lehet."
                                : "\"" + part + "\": must be 0 (straight) or at least 20 m.");
        if (std::find(radii.begin(), radii.end(), radius) != radii.end())
            Refuse(caption, language == UiLanguage::Hungarian ? "\"" + part + "\" kétszer szerepel."
                                                              : "\"" + part + "\" is given twice.");
        radii.push_back(radius == 0.0 ? 0.0 : radius);  // no negative zero
    }
    return radii;
}

std::vector<TrackPiece> ReadPieces(const std::string& text, UiLanguage language)
{
    const std::string caption = kPiecesCaption(language);
    std::vector<TrackPiece> pieces;
    if (Trimmed(text) == "all") {
        for (const TrackPieceRow& row : TrackPieceTable())
            pieces.push_back(row.piece);
        return pieces;
    }
    for (const std::string& typed : SplitCommas(text)) {
        const std::string part = Trimmed(typed);
        const auto& table = TrackPieceTable();
        const auto row = std::find_if(table.begin(), table.end(), [&](const TrackPieceRow& r) { return part == r.key; });
        if (row == table.end()) {
            std::string known;
            for (const TrackPieceRow& r : table)
                known += std::string(known.empty() ? "" : ", ") + r.key;
            Refuse(caption, language == UiLanguage::Hungarian
                                ? "ismeretlen elem: \"" + part + "\" (" + known + " vagy all)."
                                : "unknown piece \"" + part + "\" (" + known + " or all).");
        }
        if (std::find(pieces.begin(), pieces.end(), row->piece) != pieces.end())
            Refuse(caption, language == UiLanguage::Hungarian ? "\"" + part + "\" kétszer szerepel."
                                                              : "\"" + part + "\" is given twice.");
        pieces.push_back(row->piece);
    }
    return pieces;
}

// A bitmap name goes into "Load NAME" as it is: it must be one argument
// the simulator reads back unchanged. Its newest release misreads
// characters outside ASCII, so only printable ASCII is taken.
void CheckBitmap(TrackElement element, const std::string& name, UiLanguage language)
{
    const std::string caption = std::string(kTextureCaption(language)) + ElementRow(element).key;
    if (name.empty())
        return;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F)
            Refuse(caption, LocalText{"csak ASCII betűk, számjegyek és írásjelek lehetnek benne (a szimulátor a "
                                      "többit félreolvassa).",
                                      "may hold only ASCII letters, digits and punctuation (the simulator misreads "
                                      "other characters)."}(language));
    }
    if (name.front() == ' ' || name.back() == ' ')
        Refuse(caption, LocalText{"nem kezdődhet és nem végződhet szóközzel.", "must not begin or end with a blank."}(language));
    if (name.find_first_of(",;") != std::string::npos)
        Refuse(caption, LocalText{"nem tartalmazhat \",\" és \";\" karaktert (második fájlnevet vagy megjegyzést "
                                  "kezdenének).",
                                  "must not contain \",\" or \";\" (they would start a second file name or a "
                                  "comment)."}(language));
    if (name.size() > 260)
        Refuse(caption, LocalText{"legfeljebb 260 karakter lehet.", "may be at most 260 characters long."}(language));
}

}  // namespace

std::string TrackNumberText(double value)
{
    std::string text = FormatReal(value, 1);
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text == "-0" ? "0" : text;
}

const std::array<TrackPieceRow, kTrackPieceCount>& TrackPieceTable()
{
    //   piece                     key              Hungarian file name   structure  left
    static const std::array<TrackPieceRow, kTrackPieceCount> table = {{
        {TrackPiece::Bed, "bed", "agyazat", "Rail", false},
        {TrackPiece::DikeLeft, "dike-left", "toltes-bal", "DikeL", true},
        {TrackPiece::DikeRight, "dike-right", "toltes-jobb", "DikeR", false},
        {TrackPiece::CuttingLeft, "cutting-left", "bevagas-bal", "WallL", true},
        {TrackPiece::CuttingRight, "cutting-right", "bevagas-jobb", "WallR", false},
        {TrackPiece::WallLeft, "wall-left", "tamfal-bal", "WallL", true},
        {TrackPiece::WallRight, "wall-right", "tamfal-jobb", "WallR", false},
        {TrackPiece::Ground, "ground", "terep", "Ground", false},
    }};
    return table;
}

std::string TrackFieldCaption(const std::string TrackInput::*text, UiLanguage language)
{
    if (text == &TrackInput::radii)
        return kRadiiCaption(language);
    if (text == &TrackInput::pieces)
        return kPiecesCaption(language);
    return CaptionOfField(kFields, text, language);
}

std::string TrackTextureCaptionStart(UiLanguage language) { return kTextureCaption(language); }

TrackParams ReadTrackParams(const TrackInput& input, UiLanguage language)
{
    TrackParams p;
    p.radii = ReadRadii(input.radii, language);
    p.pieces = ReadPieces(input.pieces, language);
    for (const Field& field : kFields)
        p.*field.value = ReadField(input, field, language);
    p.rails = input.rails;

    const bool hu = language == UiLanguage::Hungarian;
    // The values that depend on each other.
    if (p.overlap > p.blockLength)
        Refuse(TrackFieldCaption(&TrackInput::overlap, language), hu ? "nem lehet hosszabb a blokknál (" + TrackNumberText(p.blockLength) + " m)."
                                              : "must not exceed the block length (" + TrackNumberText(p.blockLength) + " m).");
    if (p.cant > p.gauge)
        Refuse(TrackFieldCaption(&TrackInput::cant, language), hu ? "nem lehet nagyobb a nyomtávnál (" + TrackNumberText(p.gauge * 1000) + " mm)."
                                           : "must not be larger than the gauge (" + TrackNumberText(p.gauge * 1000) + " mm).");
    if (p.dikeHeight <= p.formationDepth)
        Refuse(TrackFieldCaption(&TrackInput::dikeHeight, language),
               hu ? "nagyobb kell legyen a planum mélységénél (" + TrackNumberText(p.formationDepth) + " m)."
                  : "must be larger than the formation depth (" + TrackNumberText(p.formationDepth) + " m).");
    if (p.ditchWidth < 2 * p.ditchDepth)
        Refuse(TrackFieldCaption(&TrackInput::ditchWidth, language),
               hu ? "legalább a mélység kétszerese kell legyen (az árok oldalai 1:1 lejtésűek)."
                  : "must be at least twice the depth (the ditch's sides slope 1:1).");
    // The ballast's foot, at the formation depth, must stay on the formation.
    const double foot = p.ballastWidth / 2 + (p.formationDepth - 0.17) * p.slope;
    if (foot > p.formation)
        Refuse(TrackFieldCaption(&TrackInput::ballastWidth, language),
               hu ? "az ágyazat lába (" + TrackNumberText(foot) + " m) túlnyúlik a planumon (" + TrackNumberText(p.formation) + " m)."
                  : "the ballast's foot (" + TrackNumberText(foot) + " m) runs past the formation (" + TrackNumberText(p.formation) +
                        " m).");
    if (p.gauge + 0.14 > p.ballastWidth)
        Refuse(TrackFieldCaption(&TrackInput::gauge, language), hu ? "a sínek nem férnek el az ágyazaton." : "the rails do not fit on the ballast.");

    for (std::size_t i = 0; i < kTrackElementCount; ++i) {
        const auto element = static_cast<TrackElement>(i);
        CheckBitmap(element, input.textures[i], language);
        p.textures[i] = TrackBitmap(element, input.textures, language);
    }
    return p;
}

}  // namespace kestrane
