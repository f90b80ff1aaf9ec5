// The facade options of `kestrane house` and the facade members of a house
// preset: the facade area of the main window. Any of them switches the
// facades on; with the facades off none of them has a value.
#include "options/facade_options.h"

#include "core/cp1250.h"
#include "options/option_values.h"

#include <map>

namespace kestrane {

namespace {

using Caption = std::function<std::string(UiLanguage)>;

// A field of the facade area outside the walls' rows ("Storeys").
Caption Field(FacadeField field)
{
    return [field](UiLanguage language) { return std::string(FacadeFieldCaption(field)(language)); };
}

// A field of one wall's row ("Front wall, window count").
Caption WallField(WallSide side, FacadeField field)
{
    return [side, field](UiLanguage language) {
        return WallCaption(side, language) + ", " + FacadeFieldCaption(field)(language);
    };
}

// As the first caption, an empty one keeps an option's refusals of its
// value as they are: the value names several fields (a wall and its sizes).
Caption NoFieldNote()
{
    return [](UiLanguage) { return std::string(); };
}

const std::map<std::string, WallSide>& SideNames()
{
    static const std::map<std::string, WallSide> names = {
        {"front", WallSide::Front}, {"back", WallSide::Back}, {"left", WallSide::Left}, {"right", WallSide::Right}};
    return names;
}

std::string SideName(WallSide side)
{
    for (const auto& [name, named] : SideNames())
        if (named == side)
            return name;
    return {};
}

// "SIDE:REST" into the side and the rest; the front wall only where
// `frontAllowed`.
std::pair<WallSide, std::string> SideAndRest(const std::string& value, bool frontAllowed)
{
    const auto colon = value.find(':');
    if (colon == std::string::npos)
        throw OptionError("OLDAL:ÉRTÉKEK kell, nem " + QuotedValue(value, "bájt"), "takes SIDE:VALUES, not " + QuotedValue(value));
    const std::string side = value.substr(0, colon);
    const auto found = SideNames().find(side);
    if (found == SideNames().end() || (!frontAllowed && found->second == WallSide::Front)) {
        const std::string sides = std::string(frontAllowed ? "front, " : "") + "back, left ";
        throw OptionError("oldal kell: " + sides + "vagy right, nem " + QuotedValue(side, "bájt"),
                          "needs a side: " + sides + "or right, not " + QuotedValue(side));
    }
    return {found->second, value.substr(colon + 1)};
}

// "WIDTH,HEIGHT[,POSITION]" of a door.
FacadeInput::Door ParseDoor(const std::string& value)
{
    const auto parts = SplitValues(value, 2, 3);
    FacadeInput::Door door;
    door.enabled = true;
    door.width = parts[0];
    door.height = parts[1];
    if (parts.size() > 2)
        door.position = parts[2];
    return door;
}

std::string DoorValue(const FacadeInput::Door& door)
{
    std::vector<std::string> parts = {door.width, door.height};
    if (door.position != FacadeInput::Door{}.position)
        parts.push_back(door.position);
    return JoinValues(parts);
}

// "SIDE:COUNT[,WIDTH,HEIGHT,SILL]": the windows of one wall.
void SetWindowRow(FacadeInput& facades, const std::string& value)
{
    const auto [side, rest] = SideAndRest(value, true);
    const auto parts = SplitValues(rest, 1, 4);
    if (parts.size() != 1 && parts.size() != 4)
        throw OptionError("OLDAL:DARAB vagy OLDAL:DARAB,SZÉLESSÉG,MAGASSÁG,PARAPET kell, nem " + QuotedValue(rest, "bájt"),
                          "takes SIDE:COUNT or SIDE:COUNT,WIDTH,HEIGHT,SILL, not " + QuotedValue(rest));
    FacadeInput::Windows& windows = facades.windows[static_cast<std::size_t>(side)];
    windows = {};
    windows.enabled = true;
    windows.count = parts[0];
    if (parts.size() == 4) {
        windows.width = parts[1];
        windows.height = parts[2];
        windows.sill = parts[3];
    }
}

std::string WindowRowValue(WallSide side, const FacadeInput::Windows& windows)
{
    const FacadeInput::Windows defaults;
    std::string value = SideName(side) + ":" + windows.count;
    if (windows.width != defaults.width || windows.height != defaults.height || windows.sill != defaults.sill)
        value += "," + JoinValues({windows.width, windows.height, windows.sill});
    return value;
}

// The option's values while the facades are on; none while they are off.
using FacadeGet = std::function<std::vector<std::string>(const FacadeInput&)>;
std::function<std::vector<std::string>(const HouseInput&)> WhileOn(FacadeGet get)
{
    return [get = std::move(get)](const HouseInput& input) {
        return input.facades.enabled ? get(input.facades) : std::vector<std::string>{};
    };
}

// Sets the option's part of the facade inputs and switches them on.
using FacadeSet = std::function<void(FacadeInput&, const std::vector<std::string>&)>;
std::function<void(HouseInput&, const std::vector<std::string>&)> SwitchingOn(FacadeSet set)
{
    return [set = std::move(set)](HouseInput& input, const std::vector<std::string>& values) {
        FacadeInput facades = input.facades;
        set(facades, values);  // a refused value changes nothing
        facades.enabled = true;
        input.facades = std::move(facades);
    };
}

// A text box typed as it is; no value while empty.
HouseOption FacadeText(const char* name, const char* placeholder, std::string FacadeInput::*text, Caption caption,
                       LocalText help)
{
    return {name,
            OptionForm::Value,
            placeholder,
            help,
            {std::move(caption)},
            SwitchingOn([text](FacadeInput& facades, const std::vector<std::string>& values) {
                facades.*text = values.front();
            }),
            WhileOn([text](const FacadeInput& facades) {
                return (facades.*text).empty() ? std::vector<std::string>{} : std::vector<std::string>{facades.*text};
            })};
}

// A colour instead of a bitmap: "R,G,B", kept as typed.
HouseOption FacadeColor(const char* name, std::string FacadeInput::*color, FacadeField field, LocalText help)
{
    HouseOption option = FacadeText(name, "R,G,B", color, Field(field), help);
    option.set = SwitchingOn([color](FacadeInput& facades, const std::vector<std::string>& values) {
        ParseColorValue(values.front());
        facades.*color = values.front();
    });
    return option;
}

}  // namespace

void AddFacadeOptions(std::vector<HouseOption>& options)
{
    HouseOption storeys{
        "storeys",
        OptionForm::Value,
        "N",
        {"a falmagasságon osztozó szintek (1)", "storeys sharing the wall height (1)"},
        {Field(FacadeField::Storeys)},
        SwitchingOn([](FacadeInput& facades, const std::vector<std::string>& values) { facades.storeys = values.front(); }),
        // Written whenever the facades are on: it is what switches them on.
        WhileOn([](const FacadeInput& facades) { return std::vector<std::string>{facades.storeys}; })};
    storeys.heading = {"Homlokzatok (bármelyik bekapcsolja őket; nélkülük semmi sem változik;\n"
                       "a nyílások 500 mm-re maradnak a fal végeitől és 300 mm-re egymástól;\n"
                       "az objektumhoz szükséges képek az állapotsor után következnek):",
                       "Facades (any of these switches them on; nothing changes without them;\n"
                       "openings keep 500 mm from the wall ends and 300 mm from each other;\n"
                       "the bitmaps the object needs are listed after the status line):"};
    options.push_back(std::move(storeys));

    options.push_back(FacadeText("storey-height", "MM", &FacadeInput::storeyHeight, Field(FacadeField::StoreyHeight),
                                 {"(a falmagasság osztva a szintek számával)",
                                  "(the wall height divided by the storeys)"}));

    std::vector<Caption> windowFields = {NoFieldNote()};
    for (const WallSide side : kWallSides)
        for (const FacadeField field :
             {FacadeField::WindowCount, FacadeField::WindowWidth, FacadeField::WindowHeight, FacadeField::Sill})
            windowFields.push_back(WallField(side, field));
    options.push_back(
        {"windows",
         OptionForm::Repeated,
         "SIDE:COUNT[,WIDTH,HEIGHT,SILL]",
         {"szintenként COUNT ablak a SIDE falon (front, back,\nleft, right), egyenletesen elosztva; ismételhető\n"
          "(1200,1400,900; a parapet minden szint padlója felett)",
          "COUNT windows a storey on SIDE (front, back,\nleft, right), evenly spaced; repeatable\n"
          "(1200,1400,900; the sill above each floor)"},
         std::move(windowFields),
         SwitchingOn([](FacadeInput& facades, const std::vector<std::string>& values) {
             for (FacadeInput::Windows& windows : facades.windows)
                 windows = {};
             for (const std::string& value : values)
                 SetWindowRow(facades, value);
         }),
         WhileOn([](const FacadeInput& facades) {
             std::vector<std::string> rows;
             for (const WallSide side : kWallSides)
                 if (facades.windows[static_cast<std::size_t>(side)].enabled)
                     rows.push_back(WindowRowValue(side, facades.windows[static_cast<std::size_t>(side)]));
             return rows;
         })});

    std::vector<Caption> doorFields = {NoFieldNote()};
    for (const FacadeField field : {FacadeField::DoorWidth, FacadeField::DoorHeight, FacadeField::DoorPosition})
        doorFields.push_back(WallField(WallSide::Front, field));
    options.push_back(
        {"door",
         OptionForm::Value,
         "WIDTH,HEIGHT[,POSITION]",
         {"ajtó az elülső falon; POSITION a közepét tolja a\nfal közepétől jobbra, kívülről nézve (0)",
          "a door on the front wall; POSITION moves its\ncentre right of the middle seen from outside (0)"},
         std::move(doorFields),
         SwitchingOn([](FacadeInput& facades, const std::vector<std::string>& values) {
             facades.door = ParseDoor(values.front());
         }),
         WhileOn([](const FacadeInput& facades) {
             return facades.door.enabled ? std::vector<std::string>{DoorValue(facades.door)} : std::vector<std::string>{};
         })});

    std::vector<Caption> sideDoorFields = {NoFieldNote()};
    for (const WallSide side : {WallSide::Right, WallSide::Back, WallSide::Left})
        for (const FacadeField field : {FacadeField::DoorWidth, FacadeField::DoorHeight, FacadeField::DoorPosition})
            sideDoorFields.push_back(WallField(side, field));
    options.push_back(
        {"side-door",
         OptionForm::Value,
         "SIDE:WIDTH,HEIGHT[,POSITION]",
         {"ajtó a bal, a jobb vagy a hátsó falon (left, right,\nback)", "a door on the left, right or back wall"},
         std::move(sideDoorFields),
         SwitchingOn([](FacadeInput& facades, const std::vector<std::string>& values) {
             const auto [side, rest] = SideAndRest(values.front(), false);
             facades.sideDoor = ParseDoor(rest);
             facades.sideDoorSide = side;
         }),
         WhileOn([](const FacadeInput& facades) {
             return facades.sideDoor.enabled
                        ? std::vector<std::string>{SideName(facades.sideDoorSide) + ":" + DoorValue(facades.sideDoor)}
                        : std::vector<std::string>{};
         })});

    options.push_back(FacadeText("window-texture", "NAME", &FacadeInput::windowTexture,
                                 Field(FacadeField::WindowTexture),
                                 {"az ablakok képe (ablak.bmp / window.bmp)", "window bitmap (ablak.bmp / window.bmp)"}));
    options.push_back(FacadeText("door-texture", "NAME", &FacadeInput::doorTexture, Field(FacadeField::DoorTexture),
                                 {"az ajtók képe (ajto.bmp / door.bmp)", "door bitmap (ajto.bmp / door.bmp)"}));
    options.push_back(FacadeColor("window-color", &FacadeInput::windowColor, FacadeField::WindowColor,
                                  {"szín az ablakok képe helyett", "a colour instead of the window bitmap"}));
    options.push_back(FacadeColor("door-color", &FacadeInput::doorColor, FacadeField::DoorColor,
                                  {"szín az ajtók képe helyett", "a colour instead of the door bitmap"}));
    options.push_back(
        {"window-frames",
         OptionForm::Switch,
         "",
         {"kiemelkedő keret a nyílások körül, ablakpárkányok", "raised frames round the openings, window sills"},
         {},
         SwitchingOn([](FacadeInput& facades, const std::vector<std::string>& values) {
             facades.frames = ParseSwitch(values.front());
         }),
         WhileOn([](const FacadeInput& facades) {
             return facades.frames ? std::vector<std::string>{SwitchValue(true)} : std::vector<std::string>{};
         })});
    options.push_back(
        {"lit",
         OptionForm::Value,
         "PERCENT[,SEED]",
         {"az ablakok ekkora része világít éjjel, SEED szerint\nismételhetően kiválasztva (1)",
          "this share of the windows glows at night,\npicked reproducibly from SEED (1)"},
         {NoFieldNote(), Field(FacadeField::LitPercent), Field(FacadeField::LitSeed)},
         SwitchingOn([](FacadeInput& facades, const std::vector<std::string>& values) {
             const auto parts = SplitValues(values.front(), 1, 2);
             facades.lit = true;
             facades.litPercent = parts[0];
             facades.litSeed = parts.size() > 1 ? parts[1] : FacadeInput{}.litSeed;
         }),
         WhileOn([](const FacadeInput& facades) {
             if (!facades.lit)
                 return std::vector<std::string>{};
             std::vector<std::string> parts = {facades.litPercent};
             if (facades.litSeed != FacadeInput{}.litSeed)
                 parts.push_back(facades.litSeed);
             return std::vector<std::string>{JoinValues(parts)};
         })});
    options.push_back(
        {"lit-glow",
         OptionForm::Switch,
         "",
         {"a világító ablakok éjszakai textúra helyett\nEmissiveColor színnel világítanak (mindig sötét\npályákhoz)",
          "lit windows glow by an EmissiveColor instead of\nloading a night texture (for routes that are\nalways dark)"},
         {},
         SwitchingOn([](FacadeInput& facades, const std::vector<std::string>& values) {
             facades.litGlow = ParseSwitch(values.front());
         }),
         WhileOn([](const FacadeInput& facades) {
             return facades.litGlow ? std::vector<std::string>{SwitchValue(true)} : std::vector<std::string>{};
         })});
}

}  // namespace kestrane
