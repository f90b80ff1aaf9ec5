// Presets: every input of a window as a small JSON file, and batch files of
// many presets.
//
// A preset is one JSON object: "kind": "house", "terrain" or "track", and the
// command line's long option names without the dashes as members, with the
// values as one would type them: strings, switches true or false, repeatable
// options (peak) arrays of strings. A member a preset leaves out keeps the
// window's default. In a batch file, {"objects": [PRESET, ...]}, each preset
// also names its file: "output": "NAME.b3d".
#pragma once

#include "options/option_table.h"

#include "core/cp1250.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kestrane {

// A refused preset: `member` names the member at fault (empty when the file
// as a whole is malformed).
class PresetError : public OptionError {
public:
    PresetError(std::string member, std::string hu, std::string en)
        : OptionError(std::move(hu), std::move(en)), member_(std::move(member)) {}
    const std::string& member() const { return member_; }

private:
    std::string member_;
};

// A preset as read or to be written: its members as option values.
struct Preset {
    std::string kind;                                                   // "house" or "terrain"
    std::optional<std::string> output;                                  // "output" (batch objects)
    std::vector<std::pair<std::string, std::vector<std::string>>> values;  // option name, values; in file order
};

// Reads a preset's JSON text: the object, its kind, and each member's type
// against its option (a string, true/false, an array of strings). Throws
// PresetError for malformed JSON, a missing or unknown kind, an unknown
// member (or "output" unless `allowOutput`), a value of the wrong type.
Preset ParsePreset(std::string_view json, bool allowOutput = false);

// The objects of a batch file, {"objects": [...]}, each as its JSON text
// for ParsePreset. Throws PresetError when the file is not such an object.
std::vector<std::string> ParseBatchObjects(std::string_view json);

// The JSON text of a preset: "kind", "output" when set, then the values in
// the order given, each typed after its option. Ends with a line break.
std::string PresetJson(const Preset& preset);

// Sets the preset's values on `input` with the options of `table`; throws
// PresetError naming the member whose value an option refuses.
template <class Input>
void ApplyPreset(const std::vector<OptionSpec<Input>>& table, const Preset& preset, Input& input)
{
    for (const auto& [name, values] : preset.values) {
        const OptionSpec<Input>* option = FindOption(table, name);
        if (!option)
            throw PresetError(name, QuotedValue(name, "bájt") + ": ismeretlen tag", QuotedValue(name) + ": unknown member");
        try {
            option->set(input, values);
        } catch (const OptionError& e) {
            std::string hu = e.Text(UiLanguage::Hungarian), en = e.Text(UiLanguage::English);
            if (!option->captions.empty()) {
                const std::string huCaption = option->captions.front()(UiLanguage::Hungarian);
                const std::string enCaption = option->captions.front()(UiLanguage::English);
                if (!enCaption.empty() && enCaption.back() != ' ') {  // not a group's "Peak "
                    hu += " (" + huCaption + ")";
                    en += " (" + enCaption + ")";
                }
            }
            throw PresetError(name, QuotedValue(name, "bájt") + ": " + hu, QuotedValue(name) + ": " + en);
        }
    }
}

// The values of `input` that differ from the window's defaults, in the
// table's order.
template <class Input>
std::vector<std::pair<std::string, std::vector<std::string>>> ChangedValues(const std::vector<OptionSpec<Input>>& table,
                                                                         const Input& input)
{
    const Input defaults{};
    std::vector<std::pair<std::string, std::vector<std::string>>> values;
    for (const auto& option : table) {
        auto own = option.get(input);
        if (own != option.get(defaults))
            values.emplace_back(option.name, std::move(own));
    }
    return values;
}

// The inputs of a window as preset JSON text, and back. Reading starts from
// the window's defaults and applies the roof kind's enabled states; it
// throws PresetError (nothing of the preset is kept then).
std::string HousePresetJson(const HouseInput& input);
HouseInput HouseFromPreset(std::string_view json);
std::string TerrainPresetJson(const TerrainInput& input);
TerrainInput TerrainFromPreset(std::string_view json);
std::string TrackPresetJson(const TrackInput& input);
TrackInput TrackFromPreset(std::string_view json);

// The same with files. Saving throws OutputError (the previous file stays);
// loading throws PresetError, also for a file that cannot be read.
void SavePreset(const std::filesystem::path& path, const std::string& json);
std::string LoadPresetText(const std::filesystem::path& path);

}  // namespace kestrane
