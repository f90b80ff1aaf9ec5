// Presets as JSON, read and written with nlohmann-json.
#include "options/preset.h"

#include "options/option_rules.h"

#include "core/cp1250.h"
#include "core/errors.h"

#include <nlohmann/json.hpp>

#include <cstdint>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <sstream>
#include <system_error>

namespace kestrane {

namespace {

using Json = nlohmann::ordered_json;

// A preset is a flat object and a batch file two levels more; a value
// nested deeper than this is refused before parsing, since JSON values are
// written and destroyed recursively.
constexpr int kMostNesting = 32;

// A preset has a member per option at most; an object of more members is
// refused before parsing, since the parser looks up every member among
// those before it to keep their order.
constexpr std::size_t kMostMembers = 256;

// The objects of one batch file.
constexpr std::size_t kMostBatchObjects = 100000;

// One pass over the text: its nesting and the members of each object.
void CheckShape(std::string_view text)
{
    struct Level {
        bool object = false;
        std::size_t members = 0;  // commas between them so far, plus one
    };
    Level levels[kMostNesting + 1];
    int depth = 0;
    bool inString = false, escaped = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > kMostNesting) {
                const std::string at = std::to_string(i + 1);
                throw PresetError({}, "túl mélyen egymásba ágyazott JSON (a(z) " + at + ". bájtnál)",
                                  "JSON nested too deeply (at byte " + at + ")");
            }
            levels[depth] = {c == '{', 1};
        } else if (c == ']' || c == '}') {
            depth = std::max(depth - 1, 0);
        } else if (c == ',' && depth > 0 && levels[depth].object && ++levels[depth].members > kMostMembers) {
            const std::string at = std::to_string(i + 1), most = std::to_string(kMostMembers);
            throw PresetError({}, "egy JSON-objektumnak legfeljebb " + most + " tagja lehet (a(z) " + at + ". bájtnál)",
                              "a JSON object may have at most " + most + " members (at byte " + at + ")");
        }
    }
}

Json ParseJson(std::string_view text)
{
    CheckShape(text);
    try {
        return Json::parse(text.begin(), text.end());
    } catch (const Json::parse_error& e) {
        const std::string at = std::to_string(e.byte);
        throw PresetError({}, "nem érvényes JSON (a(z) " + at + ". bájtnál)", "not valid JSON (at byte " + at + ")");
    }
}

OptionForm FormOf(const std::string& kind, const std::string& name, bool& known)
{
    known = true;
    if (kind == "house") {
        if (const auto* option = FindOption(HouseOptions(), name))
            return option->form;
    } else if (kind == "track") {
        if (const auto* option = FindOption(TrackOptions(), name))
            return option->form;
    } else if (const auto* option = FindOption(TerrainOptions(), name)) {
        return option->form;
    }
    known = false;
    return OptionForm::Value;
}

[[noreturn]] void WrongType(const std::string& name, const char* hu, const char* en)
{
    throw PresetError(name, QuotedValue(name) + ": " + hu, QuotedValue(name) + ": " + en);
}

// A preset of `kind` applied to the window's defaults.
template <class Input>
Input InputFromPreset(std::string_view json, const std::vector<OptionSpec<Input>>& table, const std::string& kind)
{
    const Preset preset = ParsePreset(json);
    if (preset.kind != kind)
        throw PresetError("kind", "\"kind\": \"" + kind + "\" kell, nem \"" + preset.kind + "\"",
                          "\"kind\": must be \"" + kind + "\", not \"" + preset.kind + "\"");
    Input input{};
    ApplyPreset(table, preset, input);
    // A member the other members refuse is refused here too; the windows
    // show no warnings for members without effect.
    std::set<std::string> given;
    for (const auto& value : preset.values)
        given.insert(value.first);
    CheckOptionRules(table, input, given, OptionNaming::Member, UiLanguage::English);
    return input;
}

}  // namespace

Preset ParsePreset(std::string_view json, bool allowOutput)
{
    const Json object = ParseJson(json);
    if (!object.is_object())
        throw PresetError({}, "az előbeállítás nem JSON-objektum", "a preset must be a JSON object");
    const auto kind = object.find("kind");
    if (kind == object.end() || !kind->is_string() || (*kind != "house" && *kind != "terrain" && *kind != "track"))
        throw PresetError("kind", "\"kind\": \"house\", \"terrain\" vagy \"track\" kell",
                          "\"kind\": must be \"house\", \"terrain\" or \"track\"");

    Preset preset;
    preset.kind = kind->get<std::string>();
    for (const auto& [name, value] : object.items()) {
        if (name == "kind")
            continue;
        if (name == "output" && allowOutput) {
            if (!value.is_string())
                WrongType(name, "szöveg kell (egy .b3d fájlnév)", "must be a string (a .b3d file name)");
            preset.output = value.get<std::string>();
            continue;
        }
        bool known = false;
        const OptionForm form = FormOf(preset.kind, name, known);
        if (!known)
            throw PresetError(name, "\"" + name + "\": ismeretlen tag (" + preset.kind + ")",
                              "\"" + name + "\": unknown member (" + preset.kind + ")");
        std::vector<std::string> values;
        switch (form) {
        case OptionForm::Value:
            if (!value.is_string())
                WrongType(name, "szöveg kell, ahogy a parancssorban írnánk", "must be a string, as typed on the command line");
            values.push_back(value.get<std::string>());
            break;
        case OptionForm::Switch:
            if (!value.is_boolean())
                WrongType(name, "true vagy false kell", "must be true or false");
            values.push_back(value.get<bool>() ? "true" : "false");
            break;
        case OptionForm::Repeated:
            if (!value.is_array())
                WrongType(name, "szövegek tömbje kell", "must be an array of strings");
            for (const auto& row : value) {
                if (!row.is_string())
                    WrongType(name, "szövegek tömbje kell", "must be an array of strings");
                values.push_back(row.get<std::string>());
            }
            break;
        }
        preset.values.emplace_back(name, std::move(values));
    }
    // Members that exclude each other (the two heightmap origins).
    std::set<std::string> names;
    for (const auto& value : preset.values)
        names.insert(value.first);
    if (preset.kind == "house")
        CheckExclusions(HouseOptions(), names, OptionNaming::Member);
    else
        CheckExclusions(TerrainOptions(), names, OptionNaming::Member);
    return preset;
}

std::vector<std::string> ParseBatchObjects(std::string_view json)
{
    const Json batch = ParseJson(json);
    const Json* objects = nullptr;
    if (batch.is_object()) {
        const auto found = batch.find("objects");
        if (found != batch.end() && found->is_array())
            objects = &*found;
        for (const auto& [name, value] : batch.items())
            if (name != "objects")
                throw PresetError(name, QuotedValue(name, "bájt") + ": ismeretlen tag", QuotedValue(name) + ": unknown member");
    }
    if (!objects)
        throw PresetError("objects", "a kötegfájl {\"objects\": [...]} alakú kell legyen",
                          "a batch file must be {\"objects\": [...]}");
    if (objects->size() > kMostBatchObjects) {
        const std::string most = std::to_string(kMostBatchObjects), count = std::to_string(objects->size());
        throw PresetError("objects", "egy kötegfájlban legfeljebb " + most + " objektum lehet, nem " + count,
                          "a batch file holds at most " + most + " objects, not " + count);
    }
    std::vector<std::string> texts;
    texts.reserve(objects->size());
    for (const auto& object : *objects)
        texts.push_back(object.dump());
    return texts;
}

std::string PresetJson(const Preset& preset)
{
    Json object = Json::object();
    object["kind"] = preset.kind;
    if (preset.output)
        object["output"] = *preset.output;
    for (const auto& [name, values] : preset.values) {
        bool known = false;
        switch (FormOf(preset.kind, name, known)) {
        case OptionForm::Value: object[name] = values.empty() ? std::string() : values.front(); break;
        case OptionForm::Switch: object[name] = !values.empty() && values.front() == "true"; break;
        case OptionForm::Repeated: object[name] = values; break;
        }
    }
    return object.dump(2) + "\n";
}

std::string HousePresetJson(const HouseInput& input)
{
    return PresetJson({"house", std::nullopt, ChangedValues(HouseOptions(), input)});
}

HouseInput HouseFromPreset(std::string_view json)
{
    return InputFromPreset<HouseInput>(json, HouseOptions(), "house");
}

std::string TerrainPresetJson(const TerrainInput& input)
{
    return PresetJson({"terrain", std::nullopt, ChangedValues(TerrainOptions(), input)});
}

TerrainInput TerrainFromPreset(std::string_view json)
{
    return InputFromPreset<TerrainInput>(json, TerrainOptions(), "terrain");
}

std::string TrackPresetJson(const TrackInput& input)
{
    return PresetJson({"track", std::nullopt, ChangedValues(TrackOptions(), input)});
}

TrackInput TrackFromPreset(std::string_view json)
{
    return InputFromPreset<TrackInput>(json, TrackOptions(), "track");
}

void SavePreset(const std::filesystem::path& path, const std::string& json)
{
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file << json;
        file.close();
        if (!file) {
            const int code = errno;
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            throw OutputError(std::generic_category().message(code), path.string(), code);
        }
    }
    std::error_code failed;
    std::filesystem::rename(temporary, path, failed);
    if (failed) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw OutputError(failed.message(), path.string(), failed.value());
    }
}

std::string LoadPresetText(const std::filesystem::path& path)
{
    // Presets and batch files are small text files: a pipe or a device
    // under the name would block the run or never end, so only a regular
    // file (a link to one is fine) of a bounded size is read.
    constexpr std::uintmax_t kMostBytes = 16u << 20;
    const std::string name = path.string();
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status))
        throw PresetError({}, name + ": nem olvasható", name + ": cannot be read");
    if (!std::filesystem::is_regular_file(status))
        throw PresetError({}, name + ": nem közönséges fájl", name + ": is not a regular file");
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && size > kMostBytes)
        throw PresetError({}, name + ": túl nagy (legfeljebb 16 MiB)", name + ": is too large (at most 16 MiB)");
    std::ifstream file(path, std::ios::binary);
    std::string text;
    if (file) {
        text.resize(static_cast<std::size_t>(ec ? 0 : size));
        file.read(text.data(), static_cast<std::streamsize>(text.size()));
        text.resize(static_cast<std::size_t>(file.gcount()));
    }
    if (!file && !file.eof())
        throw PresetError({}, name + ": nem olvasható", name + ": cannot be read");
    return text;
}

}  // namespace kestrane
