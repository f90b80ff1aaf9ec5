#include "cli/facade_options.h"

#include <map>

namespace kestrane::cli {

const char* const kFacadeHelp =
    "Facades (any of these switches them on; nothing changes without them):\n"
    "  --storeys N            storeys sharing the wall height (1)\n"
    "  --storey-height MM     (the wall height divided by the storeys)\n"
    "  --windows SIDE:COUNT[,WIDTH,HEIGHT,SILL]\n"
    "                         COUNT windows a storey on SIDE (front, back,\n"
    "                         left, right), evenly spaced; repeatable\n"
    "                         (1200,1400,900; the sill above each floor)\n"
    "  --door WIDTH,HEIGHT[,POSITION]\n"
    "                         a door on the front wall; POSITION moves its\n"
    "                         centre right of the middle seen from outside (0)\n"
    "  --side-door SIDE:WIDTH,HEIGHT[,POSITION]\n"
    "                         a door on the left, right or back wall\n"
    "  --window-texture NAME  window bitmap (ablak.bmp / window.bmp)\n"
    "  --door-texture NAME    door bitmap (ajto.bmp / door.bmp)\n"
    "  --window-color R,G,B   a colour instead of the window bitmap\n"
    "  --door-color R,G,B     a colour instead of the door bitmap\n"
    "  --window-frames        raised frames round the openings, window sills\n"
    "  --lit PERCENT[,SEED]   this share of the windows glows at night,\n"
    "                         picked reproducibly from SEED (1)\n"
    "  Openings keep 500 mm from the wall ends and 300 mm from each other;\n"
    "  the bitmaps the object needs are listed after the status line.\n";

namespace {

WallSide ParseSide(const std::string& option, const std::string& value, bool frontAllowed)
{
    static const std::map<std::string, WallSide> kSides = {
        {"front", WallSide::Front}, {"back", WallSide::Back}, {"left", WallSide::Left}, {"right", WallSide::Right}};
    const auto found = kSides.find(value);
    if (found == kSides.end() || (!frontAllowed && found->second == WallSide::Front))
        throw UsageError(option + " needs a side: " + (frontAllowed ? "front, " : "") + "back, left or right, not \"" +
                         value + "\"");
    return found->second;
}

// "SIDE:REST" into the side and the rest.
std::pair<WallSide, std::string> SideAndRest(const std::string& option, const std::string& value, bool frontAllowed)
{
    const auto colon = value.find(':');
    if (colon == std::string::npos)
        throw UsageError(option + " takes SIDE:VALUES, not \"" + value + "\"");
    return {ParseSide(option, value.substr(0, colon), frontAllowed), value.substr(colon + 1)};
}

void SetDoor(FacadeInput::Door& door, const std::string& option, const std::string& value)
{
    const auto parts = SplitList(option, value, 2, 3);
    door.enabled = true;
    door.width = parts[0];
    door.height = parts[1];
    if (parts.size() > 2)
        door.position = parts[2];
}

// Checked here as every colour option is; the generator reads the text.
std::string Color(const std::string& option, const std::string& value)
{
    ParseRgb(option, value);
    return value;
}

}  // namespace

bool TakeFacadeOption(const std::string& name, ArgReader& reader, FacadeInput& input)
{
    if (name == "--storeys") {
        input.storeys = reader.Value();
    } else if (name == "--storey-height") {
        input.storeyHeight = reader.Value();
    } else if (name == "--windows") {
        const auto [side, rest] = SideAndRest(name, reader.Value(), true);
        const auto parts = SplitList(name, rest, 1, 4);
        if (parts.size() != 1 && parts.size() != 4)
            throw UsageError(name + " takes SIDE:COUNT or SIDE:COUNT,WIDTH,HEIGHT,SILL, not \"" + rest + "\"");
        FacadeInput::Windows& windows = input.windows[static_cast<int>(side)];
        windows.enabled = true;
        windows.count = parts[0];
        if (parts.size() == 4) {
            windows.width = parts[1];
            windows.height = parts[2];
            windows.sill = parts[3];
        }
    } else if (name == "--door") {
        SetDoor(input.door, name, reader.Value());
    } else if (name == "--side-door") {
        const auto [side, rest] = SideAndRest(name, reader.Value(), false);
        input.sideDoorSide = side;
        SetDoor(input.sideDoor, name, rest);
    } else if (name == "--window-texture") {
        input.windowTexture = reader.Value();
    } else if (name == "--door-texture") {
        input.doorTexture = reader.Value();
    } else if (name == "--window-color") {
        input.windowColor = Color(name, reader.Value());
    } else if (name == "--door-color") {
        input.doorColor = Color(name, reader.Value());
    } else if (name == "--window-frames") {
        input.frames = true;
    } else if (name == "--lit") {
        const auto parts = SplitList(name, reader.Value(), 1, 2);
        input.lit = true;
        input.litPercent = parts[0];
        if (parts.size() > 1)
            input.litSeed = parts[1];
    } else {
        return false;
    }
    input.enabled = true;
    return true;
}

std::vector<FieldOption> FacadeFieldOptions(UiLanguage language)
{
    const auto caption = [language](FacadeField field) { return std::string(FacadeFieldCaption(field)(language)); };
    std::vector<FieldOption> options = {
        {caption(FacadeField::Storeys), "--storeys"},
        {caption(FacadeField::StoreyHeight), "--storey-height"},
        {caption(FacadeField::LitPercent), "--lit"},
        {caption(FacadeField::LitSeed), "--lit"},
        {caption(FacadeField::WindowTexture), "--window-texture"},
        {caption(FacadeField::DoorTexture), "--door-texture"},
        {caption(FacadeField::WindowColor), "--window-color"},
        {caption(FacadeField::DoorColor), "--door-color"},
    };
    // The fields of one wall carry its name first.
    for (const WallSide side : kWallSides) {
        const std::string wall = WallCaption(side, language) + ", ";
        for (const FacadeField field :
             {FacadeField::WindowCount, FacadeField::WindowWidth, FacadeField::WindowHeight, FacadeField::Sill})
            options.push_back({wall + caption(field), "--windows"});
        for (const FacadeField field : {FacadeField::DoorWidth, FacadeField::DoorHeight, FacadeField::DoorPosition})
            options.push_back({wall + caption(field), side == WallSide::Front ? "--door" : "--side-door"});
    }
    return options;
}

}  // namespace kestrane::cli
