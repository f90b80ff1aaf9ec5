// The options of `kestrane terrain` and the members of a terrain preset:
// one row per input of the area builder.
#include "preset/option_table.h"
#include "preset/option_values.h"

namespace kestrane {

namespace {

using Text = std::string TerrainInput::*;

// Edit boxes typed together as one comma-separated value ("X,Z").
TerrainOption Boxes(const char* name, const char* placeholder, std::vector<Text> fields, LocalText help)
{
    std::vector<std::function<std::string(UiLanguage)>> captions;
    for (const Text field : fields)
        captions.push_back([field](UiLanguage language) { return TerrainFieldCaption(field, language); });
    return {name,
            OptionForm::Value,
            placeholder,
            help,
            std::move(captions),
            [fields](TerrainInput& input, const std::vector<std::string>& values) {
                const auto parts = SplitValues(values.front(), fields.size());
                for (std::size_t i = 0; i < fields.size(); ++i)
                    input.*fields[i] = parts[i];
            },
            [fields](const TerrainInput& input) {
                std::vector<std::string> parts;
                for (const Text field : fields)
                    parts.push_back(input.*field);
                return std::vector<std::string>{JoinValues(parts)};
            }};
}

// "X,Z,HEIGHT,WIDTH[,R,G,B]": one peak row.
TerrainPeakInput ParsePeakRow(const std::string& value)
{
    const auto parts = SplitValues(value, 4, 7);
    if (parts.size() != 4 && parts.size() != 7)
        throw OptionError("X,Z,MAGASSÁG,SZÉLESSÉG vagy X,Z,MAGASSÁG,SZÉLESSÉG,R,G,B kell, nem \"" + value + "\"",
                          "takes X,Z,HEIGHT,WIDTH or X,Z,HEIGHT,WIDTH,R,G,B, not \"" + value + "\"");
    TerrainPeakInput peak;
    peak.gridX = parts[0];
    peak.gridZ = parts[1];
    peak.height = parts[2];
    peak.width = parts[3];
    if (parts.size() == 7)
        peak.color = ParseColorValue(parts[4] + "," + parts[5] + "," + parts[6]);
    return peak;
}

std::string PeakRowValue(const TerrainPeakInput& peak)
{
    std::string value = JoinValues({peak.gridX, peak.gridZ, peak.height, peak.width});
    if (peak.color != TerrainPeakInput{}.color)
        value += "," + ColorValue(peak.color);
    return value;
}

bool IsUnusedRow(const TerrainPeakInput& peak)
{
    const TerrainPeakInput unused;
    return peak.gridX == unused.gridX && peak.gridZ == unused.gridZ && peak.height == unused.height &&
           peak.width == unused.width && peak.color == unused.color;
}

std::vector<TerrainOption> MakeTerrainOptions()
{
    std::vector<TerrainOption> options;
    options.push_back(Boxes("area", "X,Z", {&TerrainInput::areaX, &TerrainInput::areaZ},
                            {"a terület kiterjedése méterben (25,25)", "extent in metres (25,25)"}));
    options.push_back(Boxes("resolution", "X,Z", {&TerrainInput::resolutionX, &TerrainInput::resolutionZ},
                            {"rácskockák száma X és Z irányban, kerekítve legfeljebb\n100 és 1000 (25,25)",
                             "cells along X and Z, at most 100 and 1000 when\nrounded (25,25)"}));
    options.push_back(Boxes("offset", "X,Y,Z", {&TerrainInput::offsetX, &TerrainInput::offsetY, &TerrainInput::offsetZ},
                            {"minden csúcsponthoz hozzáadva, méter (0,0,0)",
                             "added to every vertex, metres (0,0,0)"}));
    options.push_back(Boxes("slope", "X,Z", {&TerrainInput::slopeX, &TerrainInput::slopeZ},
                            {"teljes emelkedés a terület mentén, méter (0,0)",
                             "total rise across the extent, metres (0,0)"}));
    options.push_back(Boxes("curve", "X,Z1,Z2", {&TerrainInput::curveX, &TerrainInput::curveZ1, &TerrainInput::curveZ2},
                            {"a fordulópont rácskockában az X középtől, az első\n"
                             "és az utolsó hajlított oszlop (0,0,0: nincs kanyar)",
                             "turning point in cells from the X middle, first\n"
                             "and last bent column (0,0,0: no curve)"}));
    options.push_back({"texture",
                       OptionForm::Value,
                       "NAME",
                       {"minden rácskocka textúrája (a.bmp; üres: nincs)",
                        "texture of every cell (a.bmp; empty: none)"},
                       {[](UiLanguage language) { return TerrainFieldCaption(&TerrainInput::texture, language); }},
                       [](TerrainInput& input, const std::vector<std::string>& values) { input.texture = values.front(); },
                       [](const TerrainInput& input) { return std::vector<std::string>{input.texture}; }});
    options.push_back({"color",
                       OptionForm::Value,
                       "R,G,B",
                       {"a felület alapszíne (40,140,40)", "base colour of the surface (40,140,40)"},
                       {},
                       [](TerrainInput& input, const std::vector<std::string>& values) {
                           input.baseColor = ParseColorValue(values.front());
                       },
                       [](const TerrainInput& input) { return std::vector<std::string>{ColorValue(input.baseColor)}; }});
    options.push_back({"no-color",
                       OptionForm::Switch,
                       "",
                       {"nincs színsor rácskockánként", "no colour line per cell"},
                       {},
                       [](TerrainInput& input, const std::vector<std::string>& values) {
                           input.useColor = !ParseSwitch(values.front());
                       },
                       [](const TerrainInput& input) { return std::vector<std::string>{SwitchValue(!input.useColor)}; }});
    options.push_back(
        {"peak",
         OptionForm::Repeated,
         "X,Z,HEIGHT,WIDTH[,R,G,B]",
         {"csúcs (negatív magasság: völgy) az X,Z csomópont\n"
          "körül, WIDTH rácskocka széles, R,G,B felé színezve\n"
          "(40,140,40); legfeljebb nyolc, a megadás sorrendjében",
          "a peak (negative height: a valley) centred on\n"
          "node X,Z, WIDTH cells wide, tinting toward R,G,B\n"
          "(40,140,40); up to eight, in the order given"},
         {TerrainPeakCaptionStart},
         [](TerrainInput& input, const std::vector<std::string>& values) {
             if (values.size() > input.peaks.size()) {
                 const std::string most = std::to_string(input.peaks.size());
                 throw OptionError("legfeljebb " + most + " csúcs adható meg", "can be given at most " + most + " times");
             }
             std::array<TerrainPeakInput, 8> peaks{};
             for (std::size_t i = 0; i < values.size(); ++i)
                 peaks[i] = ParsePeakRow(values[i]);
             input.peaks = peaks;
         },
         [](const TerrainInput& input) {
             std::size_t used = input.peaks.size();
             while (used > 0 && IsUnusedRow(input.peaks[used - 1]))
                 --used;
             std::vector<std::string> rows;
             for (std::size_t i = 0; i < used; ++i)
                 rows.push_back(PeakRowValue(input.peaks[i]));
             return rows;
         }});
    return options;
}

}  // namespace

const std::vector<TerrainOption>& TerrainOptions()
{
    static const std::vector<TerrainOption> options = MakeTerrainOptions();
    return options;
}

}  // namespace kestrane
