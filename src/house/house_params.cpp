#include "house/house_params.h"

#include "core/cp1250.h"
#include "core/errors.h"
#include "core/field_reader.h"
#include "core/numbers.h"
#include "house/roof_forms.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace kestrane {

namespace {

// A typed field of the main window, named by its caption.
using Field = TypedField<HouseInput>;

const Field kOffsetX{&HouseInput::offsetX, {"Eltolás X", "Offset X"}};
const Field kOffsetY{&HouseInput::offsetY, {"Eltolás Y", "Offset Y"}};
const Field kOffsetZ{&HouseInput::offsetZ, {"Eltolás Z", "Offset Z"}};
const Field kWidth{&HouseInput::width, {"Szélesség", "Width"}};
const Field kLength{&HouseInput::length, {"Hosszúság", "Length"}};
const Field kWallHeight{&HouseInput::wallHeight, {"Magasság", "Height"}};
const Field kRoofHeight{&HouseInput::roofHeight, {"Tetőmagasság", "Roof heigh"}};
const Field kOverhang{&HouseInput::roofOverhang, {"Tető túlnyúlás", "Overhang"}};
const Field kHipDepth{&HouseInput::hipDepth, {"Tető kontyolás", "Roof depth"}};
const Field kChimneyX{&HouseInput::chimneyX, {"Kémény X pozíció", "Chimney X position"}};
const Field kChimneyZ{&HouseInput::chimneyZ, {"Kémény Z pozíció", "Chimney Z position"}};
const Field kStepWidth{&HouseInput::stepWidth, {"Lépcsőfok szélessége", "Stairs step width"}};
const Field kStepLength{&HouseInput::stepLength, {"Lépcsőfok hossza", "Stairs length"}};
const Field kStepHeight{&HouseInput::stepHeight, {"Lépcsőfok magassága", "Stairs step height"}};
const Field kCornerWallSize{&HouseInput::cornerWallSize, {"Sarokfal mérete", "Cornel wall size"}};
const Field kClipHeight{&HouseInput::clipHeight, kClipHeightCaption};
const Field kKneeHeight{&HouseInput::kneeHeight, kKneeHeightCaption};
const Field kKneeInset{&HouseInput::kneeInset, kKneeInsetCaption};
const Field kRidgeOffset{&HouseInput::ridgeOffset, kRidgeOffsetCaption};

const Field* const kFields[] = {&kOffsetX,  &kOffsetY,    &kOffsetZ,    &kWidth,         &kLength,
                                &kWallHeight, &kRoofHeight, &kOverhang, &kHipDepth,      &kChimneyX,
                                &kChimneyZ, &kStepWidth,  &kStepLength, &kStepHeight,    &kCornerWallSize,
                                &kClipHeight, &kKneeHeight, &kKneeInset, &kRidgeOffset};

// The track bars.
const LocalText kChimneySizeCaption{"Kémény méret", "Chimney size"};
const LocalText kStairStepsCaption{"Lépcsőfokok száma", "Stairs number"};
const LocalText kStairFrontCaption{"Lépcső helyzete elöl", "Stairs position in front"};
const LocalText kStairSideCaption{"Lépcső helyzete oldalt", "Stairs position in side"};
const LocalText kStairCornerCaption{"Sarokfeljáró helyzete", "Stairs position in cornel"};

[[noreturn]] void Refuse(const LocalText& caption, UiLanguage language, const LocalText& reason)
{
    RefuseField(caption(language), language, reason);
}

double ReadMillimetres(const HouseInput& input, const Field& field, UiLanguage language)
{
    return field.Read(input, language) / 1000.0;
}

int ReadPosition(int position, int highest, const LocalText& caption, UiLanguage language)
{
    if (position < 0 || position > highest) {
        const std::string range = "0-" + std::to_string(highest);
        Refuse(caption, language,
               {("a helyzet " + std::to_string(position) + ", de csak " + range + " lehet.").c_str(),
                ("the position is " + std::to_string(position) + " but must be " + range + ".").c_str()});
    }
    return position;
}


// A limit in metres as the refusals name it: whole millimetres, rounded
// inwards so that the named value itself is accepted.
std::string AtMost(double metres)
{
    std::string text;
    AppendInt(text, static_cast<long long>(std::floor(metres * 1000 + 1e-6)));
    return text + " mm";
}
std::string AtLeast(double metres)
{
    std::string text;
    AppendInt(text, static_cast<long long>(std::ceil(metres * 1000 - 1e-6)));
    return text + " mm";
}

// Refuses `value` outside least..most, naming the range in millimetres and
// why it is the range.
void RefuseOutside(const LocalText& caption, UiLanguage language, double value, double least, double most,
                   const char* huWhy, const char* enWhy)
{
    if (value >= least && value <= most)
        return;
    const std::string from = AtLeast(least);
    const std::string to = AtMost(most);
    if (!(least <= most))
        Refuse(caption, language,
               {(std::string("ennél a háznál nem adható meg (") + huWhy + ").").c_str(),
                (std::string("cannot be given for this house (") + enWhy + ").").c_str()});
    Refuse(caption, language,
           {(from + " és " + to + " között kell legyen (" + huWhy + ").").c_str(),
            ("must lie between " + from + " and " + to + " (" + enWhy + ").").c_str()});
}

// What the four roof forms need: a roof above the walls, an overhang that
// is not negative, and parameters that give each face its shape, no part
// of it narrower than kSmallestPart.
void CheckRoofForm(const HouseParams& p, UiLanguage language)
{
    const double least = kSmallestPart;
    const LocalText atLeast{"legalább 10 mm kell legyen.", "must be at least 10 mm."};
    if (!(p.width >= least))
        Refuse(kWidth.caption, language, atLeast);
    if (!(p.length >= least))
        Refuse(kLength.caption, language, atLeast);
    if (!(p.wallHeight >= least))
        Refuse(kWallHeight.caption, language, atLeast);
    if (!(p.roofHeight >= p.wallHeight + least))
        Refuse(kRoofHeight.caption, language,
               {"legalább 10 mm-rel nagyobb kell legyen a fal magasságánál (a tető a falakon áll).",
                "must be at least 10 mm more than the wall height (the roof stands on the walls)."});
    if (!(p.roofOverhang == 0 || p.roofOverhang >= least))
        Refuse(kOverhang.caption, language,
               {"ennél a tetőnél 0 vagy legalább 10 mm kell legyen.", "must be 0 or at least 10 mm for this roof."});
    const double h = p.width / 2;
    const double rise = p.roofHeight - p.wallHeight;

    switch (p.roofKind) {
    case RoofKind::HalfHipped: {
        // The clip crosses the gable plane c / s from the middle, where s is
        // the slope of the sides; it must stay inside the side walls and
        // leave a ridge between the two clips.
        const double s = rise / (h + p.roofOverhang);
        RefuseOutside(kClipHeight.caption, language, p.clipHeight, least, s * (std::min(h, p.length / 2) - least),
                      "a konty nem érhet a falakig, és gerinc kell maradjon a két konty között",
                      "the clip must stay inside the side walls and leave a ridge between the two clips");
        break;
    }
    case RoofKind::Gambrel:
    case RoofKind::Mansard: {
        const double ki = p.kneeInset;
        const bool mansard = p.roofKind == RoofKind::Mansard;
        const double halfSpan = mansard ? std::min(h, p.length / 2) : h;
        // The inset first: the default knee follows it.
        RefuseOutside(kKneeInset.caption, language, ki, least, halfSpan - least,
                      mansard ? "a falaktól befelé, a szélesség és a hosszúság felén belül"
                              : "a falaktól befelé, a szélesség felén belül",
                      mansard ? "inside the walls, within half the width and half the length"
                              : "inside the walls, within half the width");
        RefuseOutside(kKneeHeight.caption, language, p.kneeHeight, p.wallHeight + least, p.roofHeight - least,
                      "a falak fölött és a gerinc alatt", "above the walls and below the ridge");
        // The lower slope rises from the eave to the knee; the upper one from
        // the knee to the ridge over the shorter of its runs.
        const double lower = (p.kneeHeight - p.wallHeight) / (p.roofOverhang + ki);
        const double upper = (p.roofHeight - p.kneeHeight) / (halfSpan - ki);
        if (!(lower > upper)) {
            // The knee that would work with this inset, and the inset that
            // would work with this knee: the two slopes equal at the limit.
            const double lowestKnee =
                (p.wallHeight * (halfSpan - ki) + p.roofHeight * (p.roofOverhang + ki)) / (halfSpan + p.roofOverhang);
            const double share = (p.kneeHeight - p.wallHeight) / rise;
            const double widestInset = share * halfSpan - (1 - share) * p.roofOverhang;
            const std::string from = AtLeast(lowestKnee + 0.001);
            const std::string to = AtMost(p.roofHeight - least);
            const std::string inset = AtMost(widestInset - 0.001);
            Refuse(kKneeHeight.caption, language,
                   {("a törés alatti tetőrész meredekebb kell legyen a felsőnél: ennél a behúzásnál a törés " + from +
                     " és " + to + " között lehet" +
                     (widestInset > least ? ", vagy ennél a törésnél a behúzás legfeljebb " + inset : std::string()) +
                     ".")
                        .c_str(),
                    ("the slope below the knee must be steeper than the one above it: with this inset the knee "
                     "must lie between " +
                     from + " and " + to + (widestInset > least ? ", or with this knee the inset must be at most " + inset : std::string()) +
                     ".")
                        .c_str()});
        }
        break;
    }
    case RoofKind::Saltbox:
        RefuseOutside(kRidgeOffset.caption, language, p.ridgeOffset, -(h - least), h - least,
                      "a gerinc a falak között kell maradjon", "the ridge must stay between the walls");
        break;
    case RoofKind::Pitched:
    case RoofKind::Hip:
    case RoofKind::Pyramid:
    case RoofKind::Flat:
    case RoofKind::Lean:
        break;
    }
}

// Divisions whose divisor the inputs can make zero; the geometry is then
// undefined and nothing is written.
void CheckGeometry(const HouseParams& p, UiLanguage language)
{
    switch (p.roofKind) {
    case RoofKind::Pitched:
        if (p.width / 2 + p.roofOverhang == 0.0)
            Refuse(kOverhang.caption, language,
                   {"a túlnyúlás nem lehet a szélesség felének mínusz egyszerese (a tető lejtése nem határozható meg).",
                    "must not be minus half the width (the roof slope is undefined)."});
        if (!p.roofLevelTexture && p.roofHeight == 0.0)
            Refuse(kRoofHeight.caption, language,
                   {"nyeregtetőnél nem lehet 0 (az oromfal nem határozható meg).",
                    "must not be 0 for a piched roof (the gable walls are undefined)."});
        break;
    case RoofKind::Hip:
        if (p.length + 2 * p.roofOverhang == 0.0)
            Refuse(kOverhang.caption, language,
                   {"a túlnyúlás nem lehet a hosszúság felének mínusz egyszerese (a kontyolt tető nem határozható meg).",
                    "must not be minus half the length (the hip roof is undefined)."});
        break;
    case RoofKind::Lean:
        if (!p.roofLevelTextureChecked && p.roofHeight == 0.0)
            Refuse(kRoofHeight.caption, language,
                   {"féltetőnél nem lehet 0 (a falak nem határozhatók meg).",
                    "must not be 0 for a lean roof (the walls are undefined)."});
        if (p.roofOverhang > 0.0 && p.width == 0.0)
            Refuse(kWidth.caption, language,
                   {"túlnyúló féltetőnél nem lehet 0 (a tető lejtése nem határozható meg).",
                    "must not be 0 for a lean roof with overhang (the roof slope is undefined)."});
        break;
    case RoofKind::Pyramid:
    case RoofKind::Flat:
        break;
    case RoofKind::HalfHipped:
    case RoofKind::Gambrel:
    case RoofKind::Mansard:
    case RoofKind::Saltbox:
        CheckRoofForm(p, language);
        break;
    }
}

}  // namespace

std::string HouseFieldCaption(const std::string HouseInput::*text, UiLanguage language)
{
    return CaptionOfField(kFields, text, language);
}

std::string HousePositionCaption(int HouseInput::*position, UiLanguage language)
{
    const std::pair<int HouseInput::*, const LocalText*> positions[] = {
        {&HouseInput::chimneySize, &kChimneySizeCaption}, {&HouseInput::stairSteps, &kStairStepsCaption},
        {&HouseInput::stairFront, &kStairFrontCaption},   {&HouseInput::stairSide, &kStairSideCaption},
        {&HouseInput::stairCorner, &kStairCornerCaption},
    };
    for (const auto& [member, caption] : positions)
        if (member == position)
            return (*caption)(language);
    return {};
}

std::vector<GenerationWarning> HousePlausibilityWarnings(const HouseParams& p, UiLanguage language)
{
    std::vector<GenerationWarning> warnings;
    const auto warn = [&](const Field& field, const LocalText& what) {
        const std::string caption = field.caption(language);
        warnings.push_back({caption, caption + ": " + what(language)});
    };
    if (p.width == 0.0)
        warn(kWidth, {"0: a ház egyetlen lap lesz, a két oldalfala egybeesik.",
                      "is 0: the house will be flat as a sheet, its side walls in one plane."});
    if (p.length == 0.0)
        warn(kLength, {"0: a ház egyetlen lap lesz, az első és a hátsó fala egybeesik.",
                       "is 0: the house will be flat as a sheet, its front and back walls in one plane."});
    if (p.wallHeight < 0.0)
        warn(kWallHeight, {"negatív: a falak lefelé, a talaj alá nőnek, a tető a föld alatt lesz.",
                           "is negative: the walls grow downwards into the ground, the roof below it."});
    if (p.roofKind != RoofKind::Flat && p.roofHeight <= p.wallHeight)
        warn(kRoofHeight, {"nem nagyobb a falmagasságnál: a tető lapos lesz, vagy a gerince a falak közé fordul.",
                           "is not above the wall height: the roof will be flat, or its ridge turns down between the walls."});
    // The gable walls of a pitched roof are written whole, without corner
    // walls: only the roof-level texture's rectangular walls take them.
    if (p.roofKind == RoofKind::Pitched && !p.roofLevelTexture && p.cornerWalls)
        warn(kCornerWallSize, {"nyeregtetőn tetőszint textúra nélkül a sarokfalaknak nincs hatása; figyelmen kívül maradnak.",
                               "corner walls have no effect on a piched roof without roof level texture; they are ignored."});
    return warnings;
}

HouseParams ReadHouseParams(const HouseInput& input, UiLanguage language)
{
    HouseParams p;
    p.roofKind = input.roofKind;
    p.roofLevelTexture = input.RoofLevelTextureEnabled() && input.roofLevelTextureChecked;
    p.roofLevelTextureChecked = input.roofLevelTextureChecked;
    p.cornerWalls = false;
    p.cornerWallSize = 0.0;

    p.wallColor = input.wall.color;
    p.roofColor = input.roof.color;
    p.chimneyColor = input.chimney.color;
    p.stairColor = input.stair.color;
    p.useWallColor = input.wall.use;
    p.useRoofColor = input.roof.use;
    p.useChimneyColor = input.chimney.use;
    p.useStairColor = input.stair.use;

    p.offset.x = ReadMillimetres(input, kOffsetX, language);
    p.offset.y = ReadMillimetres(input, kOffsetY, language);
    p.offset.z = ReadMillimetres(input, kOffsetZ, language);
    p.width = ReadMillimetres(input, kWidth, language);
    p.length = ReadMillimetres(input, kLength, language);
    p.wallHeight = ReadMillimetres(input, kWallHeight, language);
    p.roofHeight = ReadMillimetres(input, kRoofHeight, language);
    p.roofOverhang = ReadMillimetres(input, kOverhang, language);
    p.hipDepth = ReadMillimetres(input, kHipDepth, language);
    p.chimneyX = ReadMillimetres(input, kChimneyX, language);
    p.chimneyZ = ReadMillimetres(input, kChimneyZ, language);

    p.chimneySize = ReadPosition(input.chimneySize, 4, kChimneySizeCaption, language);
    p.stairSteps = ReadPosition(input.stairSteps, 16, kStairStepsCaption, language);
    p.stairFront = ReadPosition(input.stairFront, 3, kStairFrontCaption, language);
    p.stairSide = ReadPosition(input.stairSide, 3, kStairSideCaption, language);
    p.stairCorner = ReadPosition(input.stairCorner, 3, kStairCornerCaption, language);
    p.stepWidth = ReadMillimetres(input, kStepWidth, language);
    p.stepLength = ReadMillimetres(input, kStepLength, language);
    p.stepHeight = ReadMillimetres(input, kStepHeight, language);
    p.stairsStraight = input.stairsStraight;

    p.cornerWallLeft = input.cornerWallLeft;
    p.cornerWallRight = input.cornerWallRight;
    if (input.CornerWallSizeEnabled())
        p.cornerWalls = input.cornerWallLeft || input.cornerWallRight;
    if (p.cornerWalls)
        p.cornerWallSize = ReadMillimetres(input, kCornerWallSize, language);

    p.gutters = input.gutters;
    p.flatRoofEdge = input.flatRoofEdge;

    // A form's own parameters are read only for that form; an empty box
    // takes the form's default.
    const auto formValue = [&](const Field& field, double (*fallback)(const HouseParams&)) {
        const std::string& text = input.*field.text;
        if (text.find_first_not_of(" \t") == std::string::npos)
            return fallback(p);
        return ReadMillimetres(input, field, language);
    };
    switch (p.roofKind) {
    case RoofKind::HalfHipped: p.clipHeight = formValue(kClipHeight, DefaultClipHeight); break;
    case RoofKind::Gambrel:
    case RoofKind::Mansard:
        // The default knee follows the inset in force.
        p.kneeInset = formValue(kKneeInset, DefaultKneeInset);
        p.kneeHeight = formValue(kKneeHeight, DefaultKneeHeight);
        break;
    case RoofKind::Saltbox: p.ridgeOffset = formValue(kRidgeOffset, DefaultRidgeOffset); break;
    case RoofKind::Pitched:
    case RoofKind::Hip:
    case RoofKind::Pyramid:
    case RoofKind::Flat:
    case RoofKind::Lean: break;
    }

    CheckGeometry(p, language);
    p.facades = ReadFacadeParams(input.facades, language);
    return p;
}

}  // namespace kestrane
