// The `kestrane` command line: the generators of the windows, scriptable.
#pragma once

#include "b3d/object_format.h"
#include "core/types.h"
#include "core/utf8_path.h"
#include "options/option_table.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitIoFailure = 1;      // house, terrain: the file could not be written
inline constexpr int kExitProblemsFound = 1;  // check: a file has a problem or cannot be read
inline constexpr int kExitBadInput = 2;

// Runs the command line; `args` are the arguments after the program name.
int Main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The subcommands, each with its own arguments (after the subcommand name).
int RunHouse(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunTerrain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunTrack(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunTextures(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunConvert(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// A mistake in the command line itself: an unknown option, a missing or
// malformed value, a choice out of range; in both languages.
using UsageError = OptionError;

// The language of a run's messages: the value of its --lang when that is
// hu or en, else lang.cfg of the current folder.
UiLanguage RunLanguage(const std::vector<std::string>& args);

// Walks "--name value", "--name=value" and "-C DIR" style arguments.
class ArgReader {
public:
    explicit ArgReader(const std::vector<std::string>& args) : args_(args) {}
    // The next option's name ("--width", "-C"); false at the end.
    // A bare argument that is not an option is returned as it is.
    bool Next(std::string& name);
    // The value of the option just read. Throws UsageError when missing.
    std::string Value();
    // Whether the option just read came with "=value".
    bool HasInlineValue() const { return inlineValue_.has_value(); }

private:
    const std::vector<std::string>& args_;
    std::size_t next_ = 0;
    std::optional<std::string> inlineValue_;
    std::string current_;
};

// An option the command `command` does not take ("see kestrane COMMAND --help").
UsageError UnknownOption(const std::string& name, const std::string& command);

// Reads the arguments of a command without an option table. --help or -h
// prints `help` and ends the run (kExitOk); every other argument goes to
// `take` with the reader for its value, then `finish` checks what they gave;
// both throw UsageError. A UsageError is printed ("kestrane COMMAND: ...")
// and ends the run (kExitBadInput). Returns nothing while the run goes on.
std::optional<int> ReadArguments(const std::string& command, const std::vector<std::string>& args,
                                 const std::string& help, std::ostream& out, std::ostream& err,
                                 const std::function<void(const std::string& name, ArgReader& reader)>& take,
                                 const std::function<void()>& finish = {});

// Options every generating subcommand shares.
struct CommonOptions {
    std::string folder;                  // -C / --dir; empty: the current folder
    std::filesystem::path Folder() const { return PathFromUtf8(folder); }
    std::optional<UiLanguage> language;  // --lang
    // The language in force: --lang, else lang.cfg of the current folder.
    UiLanguage Language() const;
    // Handles -C, --dir and --lang; false for any other option.
    bool Take(const std::string& name, ArgReader& reader);
    // Throws OutputError ("no such folder") when -C names no folder.
    void CheckFolder(UiLanguage messages) const;
};

// The -o/--output name: a file name in the output folder ending in .b3d,
// .csv or .obj. Throws UsageError for a path or another ending.
// Also refuses a control character (a NUL would cut the name short) and a
// character Windows-1250 cannot write.
void CheckOutputName(const std::string& name);
// Throws UsageError when the -o name `name` ends neither in the ending of
// `format` nor in .b3d ("hill.obj" with --format csv).
// `inObject`: the name is a batch object's "output" and its format the
// object's "format" member; the message names them so.
void CheckOutputFormat(const std::string& name, ObjectFormat format, bool inObject = false);
// The same name for the simulator layout's tiles and index: refuses what
// the index's lines cannot carry (",", a leading ";", blanks at either end).
void CheckTileSetOutputName(const std::string& name);

// Runs one generation of subcommand `command` ("house", "terrain") and
// reports it: the status text that `generate` returns on `out` and
// kExitOk; refused input (an InputError, or a text that Windows-1250 cannot
// write) on `err` and kExitBadInput; a failed file with its path on `err`
// and kExitIoFailure.
int ReportGeneration(std::string_view command, std::ostream& out, std::ostream& err,
                     const std::function<std::string()>& generate);

// "R,G,B" with each channel a whole number 0 to 255.
struct Rgb {
    int r, g, b;
};
Rgb ParseRgb(const std::string& option, const std::string& value);
// A comma-separated list of exactly `count` texts (or `count` to `most`).
std::vector<std::string> SplitList(const std::string& option, const std::string& value, std::size_t count,
                                   std::size_t most = 0);
// A whole number within [lowest, highest].
int ParseChoice(const std::string& option, const std::string& value, int lowest, int highest);

}  // namespace kestrane::cli
