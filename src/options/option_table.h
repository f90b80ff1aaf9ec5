// The options of `kestrane house` and `kestrane terrain` as one table per
// window: each option's name, the form of its value, its help lines, the
// window captions of the fields it fills, how it sets the window's inputs
// and how it reads them back. The command line parses and documents its
// options with these tables; a preset is the same options as JSON members.
#pragma once

#include "core/types.h"
#include "house/house_params.h"
#include "terrain/terrain_generator.h"
#include "track/track_params.h"

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kestrane {

// A value an option cannot take, in both languages (the run picks one).
class OptionError : public std::runtime_error {
public:
    OptionError(std::string hu, std::string en) : std::runtime_error(en), hu_(std::move(hu)) {}
    explicit OptionError(const std::string& text) : OptionError(text, text) {}
    std::string Text(UiLanguage language) const { return language == UiLanguage::Hungarian ? hu_ : what(); }

private:
    std::string hu_;
};

enum class OptionForm {
    Value,     // --name VALUE; a preset string
    Switch,    // --name; a preset true/false
    Repeated,  // --name VALUE, given again for each row; a preset array of strings
};

template <class Input>
struct OptionSpec {
    const char* name;         // the long name without dashes: "width"
    OptionForm form;
    const char* placeholder;  // how --help shows the value: "MM", "R,G,B"; "" for switches
    LocalText help;           // the --help lines ('\n' between them), defaults in parentheses
    // The window captions of the fields the option fills, for messages that
    // name both ("--width (Szélesség)"); a caption ending in a blank names a
    // group of fields ("Csúcs " for "Csúcs 3, X pozíció"). Messages about
    // the option's value add the first caption in parentheses; an empty
    // first caption adds none.
    std::vector<std::function<std::string(UiLanguage)>> captions;
    // Sets the option's values as typed: one for Value and Switch ("true" or
    // "false"), every row for Repeated (the rows before are dropped). Throws
    // OptionError for a value the option cannot take.
    std::function<void(Input&, const std::vector<std::string>&)> set;
    // The values that give `input` this option's state, as `set` takes them;
    // none when the state needs no value (a colour not in use).
    std::function<std::vector<std::string>(const Input&)> get;
    // Whether the option has an effect with the other inputs (the roof kind);
    // empty: always. An option given without effect is warned about, or
    // refused when it names a requiredValue (see CheckOptionRules).
    std::function<bool(const Input&)> applies = {};
    // A line --help shows before the option, opening a group of options;
    // none when null.
    LocalText heading = {nullptr, nullptr};
    // The option whose value `applies` reads ("roof", "heightmap"): the
    // warning names it with its value ("has no effect with --roof flat"),
    // or as missing while it has none ("without --heightmap").
    const char* dependsOn = nullptr;
    // The value of `dependsOn` without which the option is refused rather
    // than warned about ("--tile-length needs --layout simulator").
    const char* requiredValue = nullptr;
    // Options that one command line or one preset cannot give together with
    // this one, and why (for the command line's message).
    std::vector<const char*> excludes = {};
    LocalText excludesWhy = {nullptr, nullptr};
};

using HouseOption = OptionSpec<HouseInput>;
using TerrainOption = OptionSpec<TerrainInput>;
using TrackOption = OptionSpec<TrackInput>;

// The option tables, in the order of --help and of a written preset.
const std::vector<HouseOption>& HouseOptions();
const std::vector<TerrainOption>& TerrainOptions();
const std::vector<TrackOption>& TrackOptions();

// The table `make` builds, built at the first call and kept.
template <auto make>
const auto& BuiltOnce()
{
    static const auto table = make();
    return table;
}

// The option named `name` (without dashes), or null.
template <class Input>
const OptionSpec<Input>* FindOption(const std::vector<OptionSpec<Input>>& table, const std::string& name)
{
    for (const auto& option : table)
        if (name == option.name)
            return &option;
    return nullptr;
}

// The option whose fields include the window field `caption` (as an
// InputError names it in `language`), or null.
template <class Input>
const OptionSpec<Input>* OptionOfField(const std::vector<OptionSpec<Input>>& table, const std::string& caption,
                                       UiLanguage language)
{
    for (const auto& option : table)
        for (const auto& text : option.captions) {
            const std::string own = text(language);
            if (own == caption || (!own.empty() && own.back() == ' ' && caption.rfind(own, 0) == 0))
                return &option;
        }
    return nullptr;
}

// One option's lines of --help: "  --name PLACEHOLDER" and its help text,
// aligned in two columns.
std::string OptionHelpLines(const std::string& names, const std::string& help);

// The help lines of a whole table.
template <class Input>
std::string OptionHelp(const std::vector<OptionSpec<Input>>& table, UiLanguage language)
{
    std::string text;
    for (const auto& option : table) {
        if (option.heading.en)
            text += std::string(option.heading(language)) + "\n";
        std::string names = std::string("--") + option.name;
        if (*option.placeholder)
            names += std::string(" ") + option.placeholder;
        text += OptionHelpLines(names, option.help(language));
    }
    return text;
}

// The roof kinds by their option values: "pitched", "hip", "pyramid" ...
const char* RoofKindName(RoofKind kind);

}  // namespace kestrane
