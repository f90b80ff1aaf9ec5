#include "cli/cli.h"

#include "core/errors.h"
#include "core/language_file.h"
#include "core/version.h"

#include <charconv>

namespace kestrane::cli {

namespace {

const char* const kUsage =
    "Usage: kestrane COMMAND [OPTIONS]\n"
    "\n"
    "Generates static scenery objects for the rail simulator as B3D files.\n"
    "\n"
    "Commands:\n"
    "  house      write a detached house (see: kestrane house --help)\n"
    "  terrain    write a terrain surface, domb.b3d (see: kestrane terrain --help)\n"
    "  check      read B3D files and report what is wrong in them\n"
    "\n"
    "  --help     show this text\n"
    "  --version  show the version\n"
    "\n"
    "Exit codes: 0 success, 1 input/output failure, 2 bad input.\n";

}  // namespace

bool ArgReader::Next(std::string& name)
{
    inlineValue_.reset();
    if (next_ >= args_.size())
        return false;
    const std::string& arg = args_[next_++];
    const auto equals = arg.find('=');
    if (arg.rfind("--", 0) == 0 && equals != std::string::npos) {
        name = arg.substr(0, equals);
        inlineValue_ = arg.substr(equals + 1);
    } else {
        name = arg;
    }
    current_ = name;
    return true;
}

std::string ArgReader::Value()
{
    if (inlineValue_) {
        std::string value = *inlineValue_;
        inlineValue_.reset();
        return value;
    }
    if (next_ >= args_.size())
        throw UsageError(current_ + " needs a value");
    return args_[next_++];
}

UiLanguage CommonOptions::Language() const
{
    if (language)
        return *language;
    return ReadLanguageFile(kLanguageFileName);
}

bool CommonOptions::Take(const std::string& name, ArgReader& reader)
{
    if (name == "-C" || name == "--dir") {
        folder = reader.Value();
        return true;
    }
    if (name == "--lang") {
        const std::string code = reader.Value();
        if (code == "hu")
            language = UiLanguage::Hungarian;
        else if (code == "en")
            language = UiLanguage::English;
        else
            throw UsageError("--lang must be hu or en, not \"" + code + "\"");
        return true;
    }
    return false;
}

std::vector<std::string> SplitList(const std::string& option, const std::string& value, std::size_t count,
                                   std::size_t most)
{
    if (most < count)
        most = count;
    std::vector<std::string> parts;
    std::size_t begin = 0;
    while (true) {
        const auto comma = value.find(',', begin);
        parts.push_back(value.substr(begin, comma == std::string::npos ? std::string::npos : comma - begin));
        if (comma == std::string::npos)
            break;
        begin = comma + 1;
    }
    if (parts.size() < count || parts.size() > most) {
        const std::string expected =
            count == most ? std::to_string(count) : std::to_string(count) + " to " + std::to_string(most);
        throw UsageError(option + " takes " + expected + " comma-separated values, not \"" + value + "\"");
    }
    return parts;
}

int ParseChoice(const std::string& option, const std::string& value, int lowest, int highest)
{
    int number = 0;
    const auto result = std::from_chars(value.data(), value.data() + value.size(), number);
    if (value.empty() || result.ec != std::errc() || result.ptr != value.data() + value.size() || number < lowest ||
        number > highest)
        throw UsageError(option + " must be a whole number from " + std::to_string(lowest) + " to " +
                         std::to_string(highest) + ", not \"" + value + "\"");
    return number;
}

Rgb ParseRgb(const std::string& option, const std::string& value)
{
    const auto parts = SplitList(option, value, 3);
    return {ParseChoice(option, parts[0], 0, 255), ParseChoice(option, parts[1], 0, 255),
            ParseChoice(option, parts[2], 0, 255)};
}

int Main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.empty()) {
        err << kUsage;
        return kExitBadInput;
    }
    const std::string& command = args.front();
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "--help" || command == "-h" || command == "help") {
        out << kUsage;
        return kExitOk;
    }
    if (command == "--version") {
        out << "kestrane " << kVersionText << "\n";
        return kExitOk;
    }
    if (command == "house")
        return RunHouse(rest, out, err);
    if (command == "terrain")
        return RunTerrain(rest, out, err);
    if (command == "check")
        return RunCheck(rest, out, err);
    err << "kestrane: unknown command \"" << command << "\"\n\n" << kUsage;
    return kExitBadInput;
}

int ReportGeneration(std::string_view command, std::ostream& out, std::ostream& err,
                     const std::function<std::string()>& generate, const std::vector<FieldOption>& options)
{
    try {
        out << generate() << "\n";
        return kExitOk;
    } catch (const InputError& e) {
        err << "kestrane " << command << ": ";
        for (const FieldOption& option : options) {
            if (option.field == e.field())
                err << option.option << ": ";
        }
        err << e.what() << "\n";
        return kExitBadInput;
    } catch (const std::invalid_argument& e) {
        err << "kestrane " << command << ": " << e.what() << "\n";
        return kExitBadInput;
    } catch (const OutputError& e) {
        err << "kestrane " << command << ": " << e.path() << ": " << e.what() << "\n";
        return kExitIoFailure;
    }
}

}  // namespace kestrane::cli
