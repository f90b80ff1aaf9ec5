// The rules between the options of a table (the rows' applies,
// dependsOn, requiredValue and excludes) and how messages name options.
#pragma once

#include "options/preset.h"

#include <set>
#include <string>
#include <vector>

namespace kestrane {

// How a message names an option: "--width" on the command line, "width"
// (quoted) for a preset member.
enum class OptionNaming { Command, Member };
template <class Input>
std::string OptionName(const OptionSpec<Input>& option, OptionNaming naming)
{
    return naming == OptionNaming::Command ? std::string("--") + option.name : std::string("\"") + option.name + "\"";
}

// The window caption of an option's field in parentheses (" (Szélesség)"),
// or nothing for an option without one.
template <class Input>
std::string CaptionNote(const OptionSpec<Input>& option, UiLanguage language)
{
    if (option.captions.empty())
        return {};
    const std::string caption = option.captions.front()(language);
    if (caption.empty() || caption.back() == ' ')  // a group's "Csúcs "
        return {};
    return " (" + caption + ")";
}

// The rules between options, in one place for the command line, presets,
// batch objects and the windows' presets, so they agree by construction. A
// refusal is a PresetError naming the option (member() is its name); the
// command line turns it into a usage error.
//
// CheckExclusions: `names`, the options of one command line or one preset,
// hold no two that exclude each other (the command line's later options
// replace a preset's, so each source is checked on its own). Throws
// PresetError.
template <class Input>
void CheckExclusions(const std::vector<OptionSpec<Input>>& table, const std::set<std::string>& names,
                     OptionNaming naming)
{
    for (const auto& option : table) {
        if (!names.count(option.name))
            continue;
        for (const char* other : option.excludes) {
            if (!names.count(other))
                continue;
            if (naming == OptionNaming::Command) {
                throw PresetError(
                    option.name,
                    std::string("a --") + other + " és a --" + option.name + " közül csak az egyik adható meg (" +
                        option.excludesWhy.hu + ")",
                    std::string("--") + other + " and --" + option.name + " cannot be given together (" +
                        option.excludesWhy.en + ")");
            }
            const std::string self = std::string("\"") + option.name + "\"";
            const std::string them = std::string("\"") + other + "\"";
            throw PresetError(option.name, self + ": a " + them + " mellett nem adható meg; csak az egyik",
                                  self + ": cannot be given with " + them + "; give one of them");
        }
    }
}

// CheckOptionRules: every option of `given` that has no effect with `input`
// (its `applies`): refused (PresetError) when the row names the value it
// requires, otherwise a warning in `language`; returns the warnings.
template <class Input>
std::vector<std::string> CheckOptionRules(const std::vector<OptionSpec<Input>>& table, const Input& input,
                                          const std::set<std::string>& given, OptionNaming naming,
                                          UiLanguage language)
{
    const auto quoted = [naming](const std::string& name) {
        return naming == OptionNaming::Command ? "--" + name : "\"" + name + "\"";
    };
    // "--roof flat" / "\"roof\": \"flat\"": an option with its value.
    const auto withValue = [&](const std::string& name, const std::string& value) {
        return naming == OptionNaming::Command ? quoted(name) + " " + value : quoted(name) + ": \"" + value + "\"";
    };
    std::vector<std::string> warnings;
    for (const auto& option : table) {
        if (!given.count(option.name) || !option.applies || option.applies(input))
            continue;
        const std::string name = OptionName(option, naming);
        const std::string decider = option.dependsOn ? option.dependsOn : "";
        if (option.requiredValue) {
            const std::string needed = withValue(decider, option.requiredValue);
            if (naming == OptionNaming::Command)
                throw PresetError(option.name, "a " + name + " csak a " + needed + " mellett adható meg",
                                      name + " needs " + needed);
            throw PresetError(option.name, name + ": csak a " + needed + " mellett adható meg",
                                  name + ": needs " + needed);
        }
        std::vector<std::string> values;
        if (const OptionSpec<Input>* decides = option.dependsOn ? FindOption(table, decider) : nullptr)
            values = decides->get(input);
        const bool missing = values.empty() || values.front().empty();
        const std::string context = missing ? quoted(decider) : withValue(decider, values.front());
        const LocalText after = missing ? LocalText{" nélkül; figyelmen kívül marad.", "; it is ignored."}
                                        : LocalText{" mellett; figyelmen kívül marad.", "; it is ignored."};
        warnings.push_back(name + CaptionNote(option, language) +
                           (missing ? LocalText{" nem hat ", " has no effect without "}
                                    : LocalText{" nem hat ", " has no effect with "})(language) +
                           context + after(language));
    }
    return warnings;
}

}  // namespace kestrane
