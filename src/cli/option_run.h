// The options of house and terrain read with their option table: the
// command line and --preset fill the window's inputs the same way.
#pragma once

#include "cli/cli.h"
#include "core/errors.h"
#include "options/option_rules.h"
#include "options/preset.h"
#include "textures/texture_writing.h"

#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

namespace kestrane::cli {

// A refusal or warning about the window field `field` ("Szélesség: ...",
// naming the window's caption) with the option that fills it: in front on
// the command line, as the facade options are named ("--width: Szélesség:
// ..."), after it for a preset member ("Szélesség: ... ("width")").
template <class Input>
std::string WithOption(const std::vector<OptionSpec<Input>>& table, const std::string& field, const std::string& message,
                       OptionNaming naming, UiLanguage language)
{
    const OptionSpec<Input>* option = field.empty() ? nullptr : OptionOfField(table, field, language);
    if (!option)
        return message;
    if (naming == OptionNaming::Command)
        return OptionName(*option, naming) + ": " + message;
    return message + " (" + OptionName(*option, naming) + ")";
}

// "kestrane house: figyelmeztetés: " / "kestrane house: warning: ".
inline std::string WarningStart(const std::string& command, UiLanguage language)
{
    return "kestrane " + command + ": " + LocalText{"figyelmeztetés: ", "warning: "}(language);
}

// Runs `generate` (a house or terrain generation) so that a refused field
// names the option that fills it ("--width: Szélesség: ...") and each of
// its warnings is a line on `err` naming it too; returns its result.
template <class Input, class Generate>
auto GenerateNamingOptions(const std::vector<OptionSpec<Input>>& table, const std::string& command,
                           UiLanguage language, std::ostream& err, Generate&& generate)
{
    auto result = [&] {
        try {
            return generate();
        } catch (const InputError& e) {
            throw InputError(e.field(), WithOption(table, e.field(), e.what(), OptionNaming::Command, language));
        }
    }();
    for (const GenerationWarning& warning : result.warnings)
        err << WarningStart(command, language) << WithOption(table, warning.field, warning.message, OptionNaming::Command, language) << "\n";
    return result;
}

// The inputs that a command line's options give: --preset first (when
// given), then every option after it.
template <class Input>
struct OptionRun {
    Input input{};
    CommonOptions common;
    std::string output;            // -o / --output; empty: the usual name
    std::set<std::string> given;   // the options set, the preset's included
    std::vector<std::string> warnings;  // options given without effect (CheckOptionRules)
    bool help = false;
};

// Reads `args` into `run` with `table`; presets of kind `kind`. Throws
// UsageError for a mistake in an option, a refused preset, or options
// that the rules of the table refuse together; the options without effect
// are left in run.warnings.
template <class Input>
void ReadOptions(const std::vector<OptionSpec<Input>>& table, const char* kind, const std::vector<std::string>& args,
                 OptionRun<Input>& run)
{
    std::map<std::string, std::vector<std::string>> rows;  // repeated options given so far
    std::set<std::string> onCommandLine;
    ArgReader reader(args);
    std::string name;
    while (reader.Next(name)) {
        if (name == "--help" || name == "-h") {
            run.help = true;
            return;
        }
        if (run.common.Take(name, reader))
            continue;
        if (name == "-o" || name == "--output") {
            run.output = reader.Value();
            CheckOutputName(run.output);
            continue;
        }
        if (name == "--preset") {
            const std::string file = reader.Value();
            try {
                const Preset preset = ParsePreset(LoadPresetText(PathFromUtf8(file)));
                if (preset.kind != kind)
                    throw PresetError("kind", "\"kind\": \"" + std::string(kind) + "\" kell, nem \"" + preset.kind + "\"",
                                      "\"kind\": must be \"" + std::string(kind) + "\", not \"" + preset.kind + "\"");
                Input loaded{};
                ApplyPreset(table, preset, loaded);
                run.input = loaded;
                run.given.clear();
                rows.clear();
                for (const auto& value : preset.values)
                    run.given.insert(value.first);
            } catch (const PresetError& e) {
                throw UsageError("--preset " + file + ": " + e.Text(UiLanguage::Hungarian),
                                 "--preset " + file + ": " + e.Text(UiLanguage::English));
            }
            continue;
        }
        const OptionSpec<Input>* option = name.rfind("--", 0) == 0 ? FindOption(table, name.substr(2)) : nullptr;
        if (!option)
            throw UnknownOption(name, kind);
        // A missing value is reported by the reader, naming the option once.
        const std::string value =
            option->form != OptionForm::Switch || reader.HasInlineValue() ? reader.Value() : std::string("true");
        try {
            if (option->form == OptionForm::Repeated) {
                std::vector<std::string>& given = rows[option->name];
                given.push_back(value);
                option->set(run.input, given);
            } else {
                option->set(run.input, {value});
            }
        } catch (const OptionError& e) {
            throw UsageError(name + ": " + e.Text(UiLanguage::Hungarian) + CaptionNote(*option, UiLanguage::Hungarian),
                             name + " " + e.Text(UiLanguage::English) + CaptionNote(*option, UiLanguage::English));
        }
        run.given.insert(option->name);
        onCommandLine.insert(option->name);
    }
    if (!run.output.empty())
        CheckOutputFormat(run.output, run.input.format);
    try {
        CheckExclusions(table, onCommandLine, OptionNaming::Command);
        run.warnings = CheckOptionRules(table, run.input, run.given, OptionNaming::Command, RunLanguage(args));
    } catch (const PresetError& e) {
        throw UsageError(e.Text(UiLanguage::Hungarian), e.Text(UiLanguage::English));
    }
}

// The help lines of the options every generating command shares.
std::string CommonOptionHelp(const char* kind, UiLanguage language);
// The end of the help: --help, presets, exit codes.
std::string HelpEnd(const char* kind, UiLanguage language);

// A mistake in the options as the run prints it: "kestrane house: ..." in
// the run's language.
inline std::string UsageText(const std::string& command, const UsageError& e, UiLanguage language)
{
    return "kestrane " + command + ": " + e.Text(language);
}

// Reads the options of `kind` into `run` and prints what ends the run before
// a generation: a mistake in the options (returns kExitBadInput) or the help
// (`helpStart`, then the options; kExitOk); otherwise prints the warnings of
// options without effect and returns nothing.
template <class Input>
std::optional<int> StartRun(const std::vector<OptionSpec<Input>>& table, const char* kind,
                            const std::vector<std::string>& args, OptionRun<Input>& run, const LocalText& helpStart,
                            UiLanguage language, std::ostream& out, std::ostream& err)
{
    try {
        ReadOptions(table, kind, args, run);
    } catch (const UsageError& e) {
        err << UsageText(kind, e, language) << "\n";
        return kExitBadInput;
    }
    if (run.help) {
        out << helpStart(language) << CommonOptionHelp(kind, language) << OptionHelp(table, language)
            << HelpEnd(kind, language);
        return kExitOk;
    }
    for (const std::string& warning : run.warnings)
        err << WarningStart(kind, language) << warning << "\n";
    return std::nullopt;
}

// The whole run of a generating command `kind`: StartRun, then `check`
// (what the table's rules cannot say; throws UsageError; none: nothing
// more), then `generate(input, language, folder, output name)` through
// GenerateNamingOptions, and the status that `describe(run, result,
// language)` makes of its result. Returns the exit code.
template <class Input, class Generate, class Describe>
int RunGenerator(const std::vector<OptionSpec<Input>>& table, const char* kind, const LocalText& helpStart,
                 const std::vector<std::string>& args, std::ostream& out, std::ostream& err, Generate generate,
                 Describe describe, const std::function<void(const OptionRun<std::type_identity_t<Input>>&)>& check = {})
{
    const UiLanguage language = RunLanguage(args);
    OptionRun<Input> run;
    if (const auto exit = StartRun(table, kind, args, run, helpStart, language, out, err))
        return *exit;
    try {
        if (check)
            check(run);
    } catch (const UsageError& e) {
        err << UsageText(kind, e, language) << "\n";
        return kExitBadInput;
    }
    return ReportGeneration(kind, out, err, [&] {
        run.common.CheckFolder(language);
        const auto result = GenerateNamingOptions(table, kind, language, err, [&] {
            return generate(run.input, language, run.common.Folder(), run.output);
        });
        return describe(run, result, language);
    });
}

// A status followed, when the run asks for it (--write-textures), by the
// report of writing the bitmaps `loaded` into the run's folder.
template <class Input>
std::string WithWrittenTextures(std::string status, const OptionRun<Input>& run,
                                const std::vector<std::string>& loaded, textures::TextureOwner owner,
                                UiLanguage language)
{
    if (run.input.writeTextures)
        status += "\n" + textures::WriteLoadedTextures(loaded, run.common.Folder(), owner, language);
    return status;
}

}  // namespace kestrane::cli
