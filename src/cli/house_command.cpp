// kestrane house: the main window's generate button on the command line.
#include "cli/cli.h"
#include "cli/facade_options.h"

#include "house/house_generator.h"
#include "house/roof_forms.h"
#include "core/errors.h"

#include <map>

namespace kestrane::cli {

namespace {

const char* const kHouseHelp =
    "Usage: kestrane house [OPTIONS]\n"
    "\n"
    "Writes a house into the current folder (haz_satorteto.b3d for the default\n"
    "house in Hungarian) and prints the status of the finished generation.\n"
    "Lengths are millimetres, written as in the window's edit boxes.\n"
    "\n"
    "  -C, --dir DIR          write into DIR instead of the current folder\n"
    "  --lang hu|en           language of the file; default: lang.cfg here\n"
    "                         (missing: hu; exactly \"hu\": hu; else en)\n"
    "  --roof KIND            pitched, hip, pyramid, flat or lean (pyramid),\n"
    "                         or half-hipped, gambrel, mansard, saltbox\n"
    "  --width MM             wall width across the house (6000)\n"
    "  --length MM            wall length along the house (8000)\n"
    "  --wall-height MM       (3500)\n"
    "  --roof-height MM       ridge or apex height above the ground (7000)\n"
    "  --overhang MM          roof overhang (400)\n"
    "  --hip-depth MM         hip roof: ridge shortening at each end (2000)\n"
    "  --clip-height MM       half-hipped roof: the clips' height from the\n"
    "                         ridge down (a third of the roof's rise above\n"
    "                         the walls)\n"
    "  --knee-height MM       gambrel and mansard roofs: the knee's height\n"
    "                         above the ground (the walls and 60 % of the\n"
    "                         roof's rise)\n"
    "  --knee-inset MM        gambrel and mansard roofs: the knee's distance\n"
    "                         inside the walls (a sixth of the width)\n"
    "  --ridge-offset MM      saltbox roof: the ridge's distance from the\n"
    "                         centre across the width, towards the left wall\n"
    "                         (negative: the right; a sixth of the width)\n"
    "  --offset-x/-y/-z MM    object offset (0)\n"
    "  --corner-left          left corner wall (pitched, hip, pyramid roofs\n"
    "                         and the roof forms)\n"
    "  --corner-right         right corner wall (pitched, hip, pyramid roofs\n"
    "                         and the roof forms)\n"
    "  --corner-size MM       corner wall size (1000)\n"
    "  --roof-level-texture   pitched roof: walls and gable triangles apart;\n"
    "                         lean roof: rectangular walls and gable parts;\n"
    "                         half-hipped, gambrel, saltbox: gable tops on\n"
    "                         7.bmp and 8.bmp\n"
    "  --no-gutters           no gutters and downpipe (the pitched roof keeps\n"
    "                         its side gutters)\n"
    "  --roof-edge            flat roof: the parapet rim\n"
    "  --chimney-size 0..4    (1; 0 is no chimney)\n"
    "  --chimney-x MM         (2000)\n"
    "  --chimney-z MM         (0)\n"
    "  --stair-steps 0..16    (2; 0 is no stairs)\n"
    "  --stair-front 0..3     0 none, 1 left, 2 centre, 3 right (2)\n"
    "  --stair-side 0..3      0 none, 1 front end, 2 middle, 3 back end (0)\n"
    "  --stair-corner 0..3    0 none, 1 left, 2 both, 3 right (0)\n"
    "  --step-width MM        tread depth (300)\n"
    "  --step-length MM       flight width (1500)\n"
    "  --step-height MM       rise of one step (200)\n"
    "  --straight-stairs      straight flights instead of stepped platforms\n"
    "  --wall-color R,G,B     use this wall colour (180,160,105 when off)\n"
    "  --roof-color R,G,B     use this roof colour (100,20,20)\n"
    "  --chimney-color R,G,B  use this chimney colour (215,200,200)\n"
    "  --stair-color R,G,B    use this stair colour (100,100,105)\n";

// After the facade options.
const char* const kHouseHelpEnd =
    "  --help                 show this text\n"
    "\n"
    "Exit codes: 0 success, 1 input/output failure, 2 bad input (nothing is\n"
    "written then).\n";

RoofKind ParseRoof(const std::string& value)
{
    static const std::map<std::string, RoofKind> kRoofs = {
        {"pitched", RoofKind::Pitched}, {"hip", RoofKind::Hip}, {"pyramid", RoofKind::Pyramid},
        {"flat", RoofKind::Flat},       {"lean", RoofKind::Lean},
        {"half-hipped", RoofKind::HalfHipped}, {"gambrel", RoofKind::Gambrel},
        {"mansard", RoofKind::Mansard}, {"saltbox", RoofKind::Saltbox},
    };
    const auto found = kRoofs.find(value);
    if (found == kRoofs.end())
        throw UsageError("--roof must be pitched, hip, pyramid, flat or lean, or half-hipped, gambrel, mansard or "
                         "saltbox, not \"" + value + "\"");
    return found->second;
}

void SetColor(ColorSetting& setting, const std::string& option, const std::string& value)
{
    const Rgb rgb = ParseRgb(option, value);
    setting.color = {static_cast<std::uint8_t>(rgb.r), static_cast<std::uint8_t>(rgb.g),
                     static_cast<std::uint8_t>(rgb.b)};
    setting.use = true;
}

}  // namespace

int RunHouse(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    HouseInput input;
    CommonOptions common;
    RoofKind roof = RoofKind::Pyramid;

    // Options that take the text of an edit box.
    const std::map<std::string, std::string HouseInput::*> texts = {
        {"--width", &HouseInput::width},
        {"--length", &HouseInput::length},
        {"--wall-height", &HouseInput::wallHeight},
        {"--roof-height", &HouseInput::roofHeight},
        {"--overhang", &HouseInput::roofOverhang},
        {"--hip-depth", &HouseInput::hipDepth},
        {"--offset-x", &HouseInput::offsetX},
        {"--offset-y", &HouseInput::offsetY},
        {"--offset-z", &HouseInput::offsetZ},
        {"--corner-size", &HouseInput::cornerWallSize},
        {"--chimney-x", &HouseInput::chimneyX},
        {"--chimney-z", &HouseInput::chimneyZ},
        {"--step-width", &HouseInput::stepWidth},
        {"--step-length", &HouseInput::stepLength},
        {"--step-height", &HouseInput::stepHeight},
        {"--clip-height", &HouseInput::clipHeight},
        {"--knee-height", &HouseInput::kneeHeight},
        {"--knee-inset", &HouseInput::kneeInset},
        {"--ridge-offset", &HouseInput::ridgeOffset},
    };
    // Switches and what they set.
    const std::map<std::string, std::pair<bool HouseInput::*, bool>> switches = {
        {"--corner-left", {&HouseInput::cornerWallLeft, true}},
        {"--corner-right", {&HouseInput::cornerWallRight, true}},
        {"--roof-level-texture", {&HouseInput::roofLevelTextureChecked, true}},
        {"--no-gutters", {&HouseInput::gutters, false}},
        {"--roof-edge", {&HouseInput::flatRoofEdge, true}},
        {"--straight-stairs", {&HouseInput::stairsStraight, true}},
    };
    // Track-bar positions and their ranges.
    struct Position {
        int HouseInput::*field;
        int highest;
    };
    const std::map<std::string, Position> positions = {
        {"--chimney-size", {&HouseInput::chimneySize, 4}}, {"--stair-steps", {&HouseInput::stairSteps, 16}},
        {"--stair-front", {&HouseInput::stairFront, 3}},   {"--stair-side", {&HouseInput::stairSide, 3}},
        {"--stair-corner", {&HouseInput::stairCorner, 3}},
    };
    const std::map<std::string, ColorSetting HouseInput::*> colors = {
        {"--wall-color", &HouseInput::wall},
        {"--roof-color", &HouseInput::roof},
        {"--chimney-color", &HouseInput::chimney},
        {"--stair-color", &HouseInput::stair},
    };

    try {
        ArgReader reader(args);
        std::string name;
        while (reader.Next(name)) {
            if (name == "--help" || name == "-h") {
                out << kHouseHelp << kFacadeHelp << kHouseHelpEnd;
                return kExitOk;
            }
            if (common.Take(name, reader))
                continue;
            if (TakeFacadeOption(name, reader, input.facades))
                continue;
            if (name == "--roof") {
                roof = ParseRoof(reader.Value());
            } else if (const auto text = texts.find(name); text != texts.end()) {
                input.*(text->second) = reader.Value();
            } else if (const auto flag = switches.find(name); flag != switches.end()) {
                input.*(flag->second.first) = flag->second.second;
            } else if (const auto position = positions.find(name); position != positions.end()) {
                input.*(position->second.field) = ParseChoice(name, reader.Value(), 0, position->second.highest);
            } else if (const auto color = colors.find(name); color != colors.end()) {
                SetColor(input.*(color->second), name, reader.Value());
            } else {
                throw UsageError("unknown option \"" + name + "\" (see kestrane house --help)");
            }
        }
    } catch (const UsageError& e) {
        err << "kestrane house: " << e.what() << "\n";
        return kExitBadInput;
    }

    input.ChooseRoof(roof);
    const UiLanguage language = common.Language();
    // A refused facade field, and for the roof forms any refused edit box,
    // is named with its option.
    std::vector<FieldOption> fieldOptions = FacadeFieldOptions(language);
    if (IsRoofForm(roof)) {
        for (const auto& [option, member] : texts)
            fieldOptions.push_back({HouseFieldCaption(member, language), option});
    }
    return ReportGeneration(
        "house", out, err,
        [&] {
            const HouseResult result = GenerateHouse(input, language, common.folder);
            // With facades the bitmaps the object needs follow the status.
            if (result.textures.empty())
                return result.status;
            return result.status + "\n" + TextureListText(result.textures, language);
        },
        fieldOptions);
}

}  // namespace kestrane::cli
