// The options of `kestrane house` and the members of a house preset: one
// row per input of the main window.
#include "options/format_option.h"
#include "options/facade_options.h"
#include "options/option_forms.h"
#include "options/option_table.h"

#include "core/cp1250.h"
#include "options/option_values.h"
#include "options/texture_options.h"

namespace kestrane {

namespace {

using Text = std::string HouseInput::*;

std::function<std::string(UiLanguage)> FieldCaption(Text field)
{
    return [field](UiLanguage language) { return HouseFieldCaption(field, language); };
}

// An edit box: the text as typed, millimetres.
// The options that only some roof kinds take: the warning of one given
// without effect names the roof.
HouseOption RoofDependent(HouseOption option)
{
    if (option.applies)
        option.dependsOn = "roof";
    return option;
}

HouseOption Millimetres(const char* name, Text field, LocalText help, std::function<bool(const HouseInput&)> applies = {})
{
    HouseOption option = TextOption(name, "MM", field, help, {FieldCaption(field)});
    option.applies = std::move(applies);
    return RoofDependent(std::move(option));
}

// A check box; `whenOn` is the box's state the switch gives.
HouseOption Switch(const char* name, bool HouseInput::*box, bool whenOn, LocalText help,
                   std::function<bool(const HouseInput&)> applies = {})
{
    HouseOption option = SwitchOption(name, box, whenOn, help);
    option.applies = std::move(applies);
    return RoofDependent(std::move(option));
}

// A track bar's position.
HouseOption Position(const char* name, int HouseInput::*bar, int highest, LocalText help)
{
    return {name,
            OptionForm::Value,
            highest == 16 ? "0..16" : highest == 4 ? "0..4" : "0..3",
            help,
            {[bar](UiLanguage language) { return HousePositionCaption(bar, language); }},
            [bar, highest](HouseInput& input, const std::vector<std::string>& values) {
                input.*bar = ParseWholeNumber(values.front(), 0, highest);
            },
            [bar](const HouseInput& input) { return std::vector<std::string>{std::to_string(input.*bar)}; }};
}

// A colour with its use box: the option ticks the box.
HouseOption Color(const char* name, ColorSetting HouseInput::*setting, LocalText help)
{
    return {name,
            OptionForm::Value,
            "R,G,B",
            help,
            {},
            [setting](HouseInput& input, const std::vector<std::string>& values) {
                input.*setting = {ParseColorValue(values.front()), true};
            },
            [setting](const HouseInput& input) {
                const ColorSetting& color = input.*setting;
                return color.use ? std::vector<std::string>{ColorValue(color.color)} : std::vector<std::string>{};
            }};
}

// The roof kinds' option names as a refusal lists them: "pitched, hip,
// pyramid, flat or lean, or half-hipped, gambrel, mansard or saltbox" (the
// classic roofs, then the roof forms).
std::string RoofNameList(const char* orWord)
{
    std::string text;
    for (const bool forms : {false, true}) {
        std::vector<const char*> names;
        for (const RoofKindRow& row : RoofKinds())
            if (row.form == forms)
                names.push_back(row.option);
        if (forms)
            text += std::string(", ") + orWord + " ";
        for (std::size_t i = 0; i < names.size(); ++i)
            text += (i == 0 ? "" : i + 1 == names.size() ? std::string(" ") + orWord + " " : std::string(", ")) +
                    names[i];
    }
    return text;
}

// Whether a roof-dependent control is enabled for the chosen roof.
std::function<bool(const HouseInput&)> Enabled(bool ControlEnabling::*control)
{
    return [control](const HouseInput& input) { return EnablingFor(input.roofKind).*control; };
}

std::vector<HouseOption> MakeHouseOptions()
{
    std::vector<HouseOption> options;
    options.push_back(
        {"roof",
         OptionForm::Value,
         "KIND",
         {"pitched (nyereg), hip (kontyolt), pyramid (sátor),\nflat (lapos) vagy lean (fél) (pyramid), vagy\n"
          "half-hipped, gambrel, mansard, saltbox",
          "pitched, hip, pyramid, flat or lean (pyramid),\nor half-hipped, gambrel, mansard, saltbox"},
         {},
         [](HouseInput& input, const std::vector<std::string>& values) {
             const std::string& value = values.front();
             if (const RoofKindRow* row = FindRoofKind(value)) {
                 input.roofKind = row->kind;
                 return;
             }
             throw OptionError(RoofNameList("vagy") + " lehet, nem " + QuotedValue(value, "bájt"),
                               "must be " + RoofNameList("or") + ", not " + QuotedValue(value));
         },
         [](const HouseInput& input) { return std::vector<std::string>{RoofKindName(input.roofKind)}; }});
    options.push_back(Millimetres("width", &HouseInput::width, {"a falak szélessége a ház keresztirányában (6000)", "wall width across the house (6000)"}));
    options.push_back(Millimetres("length", &HouseInput::length, {"a falak hossza a ház hosszában (8000)", "wall length along the house (8000)"}));
    options.push_back(Millimetres("wall-height", &HouseInput::wallHeight, {"falmagasság (3500)", "(3500)"}));
    options.push_back(Millimetres("roof-height", &HouseInput::roofHeight, {"a gerinc vagy a csúcs magassága a talajtól (7000)", "ridge or apex height above the ground (7000)"}));
    options.push_back(Millimetres("overhang", &HouseInput::roofOverhang, {"a tető túlnyúlása (400)", "roof overhang (400)"}, Enabled(&ControlEnabling::overhang)));
    options.push_back(Millimetres("hip-depth", &HouseInput::hipDepth, {"kontyolt tető: a gerinc rövidülése mindkét végén\n(2000)", "hip roof: ridge shortening at each end (2000)"}, Enabled(&ControlEnabling::hipDepth)));
    options.push_back(Millimetres("clip-height", &HouseInput::clipHeight, {"csonkakontyos tető: a konty magassága a gerinctől\nlefelé (a tető falak feletti emelkedésének\nharmada)", "half-hipped roof: the clips' height from the\nridge down (a third of the roof's rise above\nthe walls)"}, Enabled(&ControlEnabling::clipHeight)));
    options.push_back(Millimetres("knee-height", &HouseInput::kneeHeight, {"manzárd- és tört nyeregtető: a törés magassága\na talajtól (a falak és a tető emelkedésének\n60 %-a, több, ha az alsó lejtő lenne laposabb)", "gambrel and mansard roofs: the knee's height\nabove the ground (the walls and 60 % of the\nroof's rise, more where the lower slope would\nbe the flatter)"}, Enabled(&ControlEnabling::kneeHeight)));
    options.push_back(Millimetres("knee-inset", &HouseInput::kneeInset, {"manzárd- és tört nyeregtető: a törés távolsága\na falaktól befelé (a szélesség hatoda;\nmanzárdnál a rövidebb oldalé)", "gambrel and mansard roofs: the knee's distance\ninside the walls (a sixth of the width; for the\nmansard of the shorter side)"}, Enabled(&ControlEnabling::kneeInset)));
    options.push_back(Millimetres("ridge-offset", &HouseInput::ridgeOffset, {"féloldalas nyeregtető: a gerinc távolsága a\nközéptől a bal fal felé (negatív: jobbra;\na szélesség hatoda)", "saltbox roof: the ridge's distance from the\ncentre across the width, towards the left wall\n(negative: the right; a sixth of the width)"}, Enabled(&ControlEnabling::ridgeOffset)));
    options.push_back(Millimetres("offset-x", &HouseInput::offsetX, {"az objektum eltolása (0)", "object offset (0)"}));
    options.push_back(Millimetres("offset-y", &HouseInput::offsetY, {"(0)", "(0)"}));
    options.push_back(Millimetres("offset-z", &HouseInput::offsetZ, {"(0)", "(0)"}));
    options.push_back(Switch("corner-left", &HouseInput::cornerWallLeft, true, {"bal oldali sarokfal (nyereg-, kontyolt, sátortető\nés a további tetőformák)", "left corner wall (pitched, hip, pyramid roofs\nand the roof forms)"}, Enabled(&ControlEnabling::cornerLeft)));
    options.push_back(Switch("corner-right", &HouseInput::cornerWallRight, true, {"jobb oldali sarokfal (nyereg-, kontyolt, sátortető\nés a további tetőformák)", "right corner wall (pitched, hip, pyramid roofs\nand the roof forms)"}, Enabled(&ControlEnabling::cornerRight)));
    options.push_back(Millimetres("corner-size", &HouseInput::cornerWallSize, {"a sarokfal mérete (1000)", "corner wall size (1000)"}, Enabled(&ControlEnabling::cornerSize)));
    options.push_back(Switch("roof-level-texture", &HouseInput::roofLevelTextureChecked, true, {"nyeregtető: a falak és az oromháromszögek külön;\nféltető: téglalap falak és külön oromrészek;\ncsonkakontyos, tört és féloldalas nyeregtető:\naz oromcsúcsok a 7.bmp és 8.bmp képen", "pitched roof: walls and gable triangles apart;\nlean roof: rectangular walls and gable parts;\nhalf-hipped, gambrel, saltbox: gable tops on\n7.bmp and 8.bmp"}, Enabled(&ControlEnabling::roofLevelTexture)));
    options.push_back(Switch("no-gutters", &HouseInput::gutters, false, {"nincs ereszcsatorna és lefolyó (a nyeregtető\noldalsó csatornái megmaradnak)", "no gutters and downpipe (the pitched roof keeps\nits side gutters)"}, Enabled(&ControlEnabling::gutters)));
    options.push_back(Switch("roof-edge", &HouseInput::flatRoofEdge, true, {"lapostető: a körbefutó koszorú", "flat roof: the parapet rim"}, Enabled(&ControlEnabling::roofEdge)));
    options.push_back(Position("chimney-size", &HouseInput::chimneySize, 4, {"(1; a 0 kémény nélkül)", "(1; 0 is no chimney)"}));
    options.push_back(Millimetres("chimney-x", &HouseInput::chimneyX, {"(2000)", "(2000)"}));
    options.push_back(Millimetres("chimney-z", &HouseInput::chimneyZ, {"(0)", "(0)"}));
    options.push_back(Position("stair-steps", &HouseInput::stairSteps, 16, {"(2; a 0 lépcső nélkül)", "(2; 0 is no stairs)"}));
    options.push_back(Position("stair-front", &HouseInput::stairFront, 3, {"0 nincs, 1 bal, 2 közép, 3 jobb (2)", "0 none, 1 left, 2 centre, 3 right (2)"}));
    options.push_back(Position("stair-side", &HouseInput::stairSide, 3, {"0 nincs, 1 elöl, 2 középen, 3 hátul (0)", "0 none, 1 front end, 2 middle, 3 back end (0)"}));
    options.push_back(Position("stair-corner", &HouseInput::stairCorner, 3, {"0 nincs, 1 bal, 2 mindkettő, 3 jobb (0)", "0 none, 1 left, 2 both, 3 right (0)"}));
    options.push_back(Millimetres("step-width", &HouseInput::stepWidth, {"a lépcsőfok mélysége (300)", "tread depth (300)"}));
    options.push_back(Millimetres("step-length", &HouseInput::stepLength, {"a lépcső szélessége (1500)", "flight width (1500)"}));
    options.push_back(Millimetres("step-height", &HouseInput::stepHeight, {"egy lépcsőfok magassága (200)", "rise of one step (200)"}));
    options.push_back(Switch("straight-stairs", &HouseInput::stairsStraight, true, {"egyenes lépcső lépcsős pihenők helyett", "straight flights instead of stepped platforms"}));
    options.push_back(Color("wall-color", &HouseInput::wall, {"ezt a falszínt használja (kikapcsolva 180,160,105)", "use this wall colour (180,160,105 when off)"}));
    options.push_back(Color("roof-color", &HouseInput::roof, {"ezt a tetőszínt használja (100,20,20)", "use this roof colour (100,20,20)"}));
    options.push_back(Color("chimney-color", &HouseInput::chimney, {"ezt a kéményszínt használja (215,200,200)", "use this chimney colour (215,200,200)"}));
    options.push_back(Color("stair-color", &HouseInput::stair, {"ezt a lépcsőszínt használja (100,100,105)", "use this stair colour (100,100,105)"}));
    AddFacadeOptions(options);
    options.push_back(WriteTexturesOption(&HouseInput::writeTextures));
    options.push_back(FormatOption<HouseInput>());
    return options;
}

}  // namespace

const char* RoofKindName(RoofKind kind) { return RoofKindOf(kind).option; }

const std::vector<HouseOption>& HouseOptions() { return BuiltOnce<MakeHouseOptions>(); }

}  // namespace kestrane
