// The rows that every option table builds the same way, whatever its
// inputs: a text box typed as it is, a check box, a choice among names.
#pragma once

#include "options/option_table.h"
#include "options/option_values.h"

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace kestrane {

// The window captions an option's message names (see OptionSpec::captions).
using OptionCaptions = std::vector<std::function<std::string(UiLanguage)>>;

// An edit box typed as it is: the generator reads and checks it.
template <class Input>
OptionSpec<Input> TextOption(const char* name, const char* placeholder, std::string Input::*field, LocalText help,
                             OptionCaptions captions)
{
    return {name,
            OptionForm::Value,
            placeholder,
            help,
            std::move(captions),
            [field](Input& input, const std::vector<std::string>& values) { input.*field = values.front(); },
            [field](const Input& input) { return std::vector<std::string>{input.*field}; }};
}

// A check box; `whenGiven` is the state the switch gives it (false for a
// "--no-..." switch that clears a box ticked by default).
template <class Input>
OptionSpec<Input> SwitchOption(const char* name, bool Input::*box, bool whenGiven, LocalText help)
{
    return {name,
            OptionForm::Switch,
            "",
            help,
            {},
            [box, whenGiven](Input& input, const std::vector<std::string>& values) {
                input.*box = ParseSwitch(values.front()) == whenGiven;
            },
            [box, whenGiven](const Input& input) { return std::vector<std::string>{SwitchValue(input.*box == whenGiven)}; }};
}

// One of `names()`, held in `member` as the enumerator of the same index.
template <class Input, class Enum>
OptionSpec<Input> NameOption(const char* name, const char* placeholder, Enum Input::*member,
                             const std::vector<std::string>& (*names)(), LocalText help)
{
    return {name,
            OptionForm::Value,
            placeholder,
            help,
            {},
            [member, names](Input& input, const std::vector<std::string>& values) {
                input.*member = static_cast<Enum>(ParseName(values.front(), names()));
            },
            [member, names](const Input& input) {
                return std::vector<std::string>{names().at(static_cast<std::size_t>(input.*member))};
            }};
}

}  // namespace kestrane
