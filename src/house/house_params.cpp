#include "house/house_params.h"

#include "core/errors.h"
#include "core/numbers.h"

#include <utility>

namespace kestrane {

ControlEnabling EnablingFor(RoofKind kind)
{
    //                roof edge gutters hip depth overhang left  right  size   roof-level texture
    switch (kind) {
    case RoofKind::Pitched: return {false, true, false, true, true, true, true, true};
    case RoofKind::Hip: return {false, true, true, true, true, true, true, false};
    case RoofKind::Pyramid: return {false, true, false, true, true, true, true, false};
    case RoofKind::Flat: return {true, false, false, false, false, false, false, false};
    case RoofKind::Lean: return {false, true, false, true, false, false, false, true};
    }
    return {};
}

void HouseInput::ChooseRoof(RoofKind kind)
{
    roofKind = kind;
    const ControlEnabling enabling = EnablingFor(kind);
    roofLevelTextureEnabled = enabling.roofLevelTexture;
    cornerWallSizeEnabled = enabling.cornerSize;
}

namespace {

// A typed field of the main window, named by its caption.
struct Field {
    const std::string HouseInput::*text;
    LocalText caption;
};

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

// The track bars.
const LocalText kChimneySizeCaption{"Kémény méret", "Chimney size"};
const LocalText kStairStepsCaption{"Lépcsőfokok száma", "Stairs number"};
const LocalText kStairFrontCaption{"Lépcső helyzete elöl", "Stairs position in front"};
const LocalText kStairSideCaption{"Lépcső helyzete oldalt", "Stairs position in side"};
const LocalText kStairCornerCaption{"Sarokfeljáró helyzete", "Stairs position in cornel"};

const Field* const kFields[] = {&kOffsetX,  &kOffsetY,    &kOffsetZ,    &kWidth,         &kLength,
                                &kWallHeight, &kRoofHeight, &kOverhang, &kHipDepth,      &kChimneyX,
                                &kChimneyZ, &kStepWidth,  &kStepLength, &kStepHeight,    &kCornerWallSize};

[[noreturn]] void Refuse(const LocalText& caption, UiLanguage language, const LocalText& reason)
{
    const std::string field = caption(language);
    throw InputError(field, field + ": " + reason(language));
}

double ReadMillimetres(const HouseInput& input, const Field& field, UiLanguage language)
{
    const std::string& text = input.*field.text;
    const auto value = ParseReal(text);
    if (!value) {
        const std::string caption = field.caption(language);
        const std::string message = language == UiLanguage::Hungarian
                                        ? caption + ": \"" + text + "\" nem érvényes szám."
                                        : caption + ": \"" + text + "\" is not a valid number.";
        throw InputError(caption, message);
    }
    return *value / 1000.0;
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
    }
}

}  // namespace

std::string HouseFieldCaption(const std::string HouseInput::*text, UiLanguage language)
{
    for (const Field* field : kFields)
        if (field->text == text)
            return field->caption(language);
    return {};
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
    return warnings;
}

HouseParams ReadHouseParams(const HouseInput& input, UiLanguage language)
{
    HouseParams p;
    p.roofKind = input.roofKind;
    p.roofLevelTexture = input.roofLevelTextureEnabled && input.roofLevelTextureChecked;
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
    if (input.cornerWallSizeEnabled)
        p.cornerWalls = input.cornerWallLeft || input.cornerWallRight;
    if (p.cornerWalls)
        p.cornerWallSize = ReadMillimetres(input, kCornerWallSize, language);

    p.gutters = input.gutters;
    p.flatRoofEdge = input.flatRoofEdge;

    CheckGeometry(p, language);
    p.facades = ReadFacadeParams(input.facades, language);
    return p;
}

}  // namespace kestrane
