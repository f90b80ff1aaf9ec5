#include "cli/cli.h"

#include "core/cp1250.h"
#include "core/errors.h"
#include "core/language_file.h"
#include "core/version.h"
#include "b3d/b3d_writer.h"

#include "options/option_values.h"

#include <cerrno>
#include <filesystem>

namespace kestrane::cli {

namespace {

const LocalText kUsage{
    "Használat: kestrane PARANCS [KAPCSOLÓK]\n"
    "\n"
    "Statikus díszletobjektumokat készít a vasútszimulátorhoz B3D fájlokként.\n"
    "\n"
    "Parancsok:\n"
    "  house      családi ház (lásd: kestrane house --help)\n"
    "  terrain    terepfelület, domb.b3d (lásd: kestrane terrain --help)\n"
    "  track      pályakészlet: ágyazat, töltés, bevágás, támfal, terep sugaranként\n"
    "             (lásd: kestrane track --help)\n"
    "  batch      sok objektum egy JSON kötegfájlból (lásd: kestrane batch --help)\n"
    "  check      B3D fájlok beolvasása és hibáik jelentése\n"
    "  textures   a kezdő textúrák (BMP) írása (lásd: kestrane textures --help)\n"
    "  convert    B3D fájl CSV objektummá vagy OBJ fájllá (lásd: kestrane convert --help)\n"
    "\n"
    "  --help     ez a szöveg\n"
    "  --version  a verzió\n"
    "\n"
    "Kilépési kódok: 0 siker, 1 írási/olvasási hiba, 2 hibás bemenet.\n",
    "Usage: kestrane COMMAND [OPTIONS]\n"
    "\n"
    "Generates static scenery objects for the rail simulator as B3D files.\n"
    "\n"
    "Commands:\n"
    "  house      write a detached house (see: kestrane house --help)\n"
    "  terrain    write a terrain surface, domb.b3d (see: kestrane terrain --help)\n"
    "  track      write a track kit: bed, embankments, cuttings, walls, ground per\n"
    "             radius (see: kestrane track --help)\n"
    "  batch      write many objects from a JSON batch file (see: kestrane batch --help)\n"
    "  check      read B3D files and report what is wrong in them\n"
    "  textures   write the starter textures (BMP) (see: kestrane textures --help)\n"
    "  convert    a B3D file as a CSV object or as OBJ (see: kestrane convert --help)\n"
    "\n"
    "  --help     show this text\n"
    "  --version  show the version\n"
    "\n"
    "Exit codes: 0 success, 1 input/output failure, 2 bad input.\n"};

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
        throw UsageError(current_ + ": hiányzik az értéke", current_ + " needs a value");
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
            throw UsageError("--lang: hu vagy en lehet, nem \"" + code + "\"", "--lang must be hu or en, not \"" + code + "\"");
        return true;
    }
    return false;
}

void CommonOptions::CheckFolder(UiLanguage messages) const
{
    std::error_code failed;
    if (folder.empty() || std::filesystem::is_directory(Folder(), failed))
        return;
    // The platform's text stays beside the explanation, as in every
    // input/output failure.
    throw OutputError(std::string(LocalText{"nincs ilyen mappa", "no such folder"}(messages)) + " (" +
                          IoErrorText(ENOENT) + ")",
                      folder, ENOENT);
}

UsageError UnknownOption(const std::string& name, const std::string& command)
{
    return UsageError("ismeretlen kapcsoló: \"" + name + "\" (lásd: kestrane " + command + " --help)",
                      "unknown option \"" + name + "\" (see kestrane " + command + " --help)");
}

std::optional<int> ReadArguments(const std::string& command, const std::vector<std::string>& args,
                                 const std::string& help, std::ostream& out, std::ostream& err,
                                 const std::function<void(const std::string& name, ArgReader& reader)>& take,
                                 const std::function<void()>& finish)
{
    try {
        ArgReader reader(args);
        std::string name;
        while (reader.Next(name)) {
            if (name == "--help" || name == "-h") {
                out << help;
                return kExitOk;
            }
            take(name, reader);
        }
        if (finish)
            finish();
    } catch (const UsageError& e) {
        err << "kestrane " << command << ": " << e.Text(RunLanguage(args)) << "\n";
        return kExitBadInput;
    }
    return std::nullopt;
}

UiLanguage RunLanguage(const std::vector<std::string>& args)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string code;
        if (args[i] == "--lang" && i + 1 < args.size())
            code = args[i + 1];
        else if (args[i].rfind("--lang=", 0) == 0)
            code = args[i].substr(7);
        if (code == "hu")
            return UiLanguage::Hungarian;
        if (code == "en")
            return UiLanguage::English;
    }
    return ReadLanguageFile(kLanguageFileName);
}

void CheckOutputName(const std::string& name)
{
    const std::string hu = QuotedValue(name, "bájt"), en = QuotedValue(name);
    const std::filesystem::path path(name);
    if (name.empty() || path.filename() != path || name == "." || name == ".." ||
        name.find('\\') != std::string::npos)
        throw UsageError("-o: " + hu + " nem fájlnév a kimeneti mappában (ott kell lennie, útvonal nélkül)",
                         "-o: " + en + " is not a file name in the output folder (no path allowed)");
    // A NUL would end the name early (notes.txt\0.b3d is notes.txt), a line
    // break would end a line of the tile index.
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            std::string code = std::to_string(byte);
            throw UsageError("-o: " + hu + " vezérlőkaraktert tartalmaz (kódja " + code + ")",
                             "-o: " + en + " contains a control character (code " + code + ")");
        }
    }
    if (const auto bad = FirstUnencodable(name))
        throw UsageError("-o: " + hu + ": a(z) \"" + *bad + "\" karakter nem írható a fájlba (Windows-1250)",
                         "-o: " + en + ": the character \"" + *bad + "\" cannot be written to the file (Windows-1250)");
    if (!HasEnding(name, ".b3d") && !HasEnding(name, ".csv") && !HasEnding(name, ".obj"))
        throw UsageError("-o: " + hu + " nem .b3d, .csv vagy .obj végű",
                         "-o: " + en + " does not end in .b3d, .csv or .obj");
}

void CheckTileSetOutputName(const std::string& name)
{
    // Each tile's name is the first field of an index line "file,x,y,z",
    // whose reader splits at commas, skips ";" lines and trims blanks.
    const std::string stem = name.substr(0, name.size() >= 4 ? name.size() - 4 : 0);
    const std::string hu = QuotedValue(name, "bájt"), en = QuotedValue(name);
    if (name.find(',') != std::string::npos)
        throw UsageError("-o: " + hu + ": a csempék jegyzékében nem lehet \",\" a névben (mezőket választ el)",
                         "-o: " + en + ": a tile set's name must not contain \",\" (it separates the index's fields)");
    if (!stem.empty() && stem.front() == ';')
        throw UsageError("-o: " + hu + ": a csempék neve nem kezdődhet \";\" karakterrel (a jegyzékben megjegyzést kezdene)",
                         "-o: " + en + ": a tile set's name must not begin with \";\" (it would start a comment in the index)");
    if (!stem.empty() && (stem.front() == ' ' || stem.back() == ' ' || stem.front() == '\t' || stem.back() == '\t'))
        throw UsageError("-o: " + hu + ": a csempék neve nem kezdődhet és nem végződhet szóközzel",
                         "-o: " + en + ": a tile set's name must not begin or end with a blank");
}

void CheckOutputFormat(const std::string& name, ObjectFormat format, bool inObject)
{
    if (OutputNameFits(name, format))
        return;
    const std::string field = inObject ? "\"output\": " : "-o: ";
    const std::string hu = QuotedValue(name, "bájt"), en = QuotedValue(name);
    const auto choice = [inObject](const std::string& value) {
        return inObject ? "\"format\": \"" + value + "\"" : "--format " + value;
    };
    if (format == ObjectFormat::B3d) {
        const std::string obj = inObject ? "\"obj\"" : "obj";
        throw UsageError(field + hu + " nem .b3d végű (.csv és .obj: " + choice("csv") + " vagy " + obj + ")",
                         field + en + " does not end in .b3d (.csv and .obj: " + choice("csv") + " or " + obj + ")");
    }
    const std::string ending = ObjectFormatEnding(format);
    const std::string option = choice(ObjectFormatName(format));
    throw UsageError(field + hu + " nem " + ending + " vagy .b3d végű (" + option + ")",
                     field + en + " does not end in " + ending + " or .b3d (" + option + ")");
}

std::vector<std::string> SplitList(const std::string& option, const std::string& value, std::size_t count,
                                   std::size_t most)
{
    try {
        return SplitValues(value, count, most);
    } catch (const OptionError& e) {
        throw UsageError(option + ": " + e.Text(UiLanguage::Hungarian), option + " " + e.Text(UiLanguage::English));
    }
}

int ParseChoice(const std::string& option, const std::string& value, int lowest, int highest)
{
    try {
        return ParseWholeNumber(value, lowest, highest);
    } catch (const OptionError& e) {
        throw UsageError(option + ": " + e.Text(UiLanguage::Hungarian), option + " " + e.Text(UiLanguage::English));
    }
}

Rgb ParseRgb(const std::string& option, const std::string& value)
{
    try {
        const ColorRgb color = ParseColorValue(value);
        return {color.r, color.g, color.b};
    } catch (const OptionError& e) {
        throw UsageError(option + ": " + e.Text(UiLanguage::Hungarian), option + " " + e.Text(UiLanguage::English));
    }
}

int Main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const UiLanguage language = RunLanguage(args);
    if (args.empty()) {
        err << kUsage(language);
        return kExitBadInput;
    }
    const std::string& command = args.front();
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "--help" || command == "-h" || command == "help") {
        out << kUsage(language);
        return kExitOk;
    }
    if (command == "--version") {
        out << "kestrane " << kVersionText << "\n";
        return kExitOk;
    }
    using Run = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);
    static constexpr std::pair<std::string_view, Run> kCommands[] = {
        {"house", RunHouse},  {"terrain", RunTerrain},   {"track", RunTrack},     {"check", RunCheck},
        {"batch", RunBatch},  {"textures", RunTextures}, {"convert", RunConvert},
    };
    for (const auto& [name, run] : kCommands)
        if (command == name)
            return run(rest, out, err);
    err << "kestrane: " << LocalText{"ismeretlen parancs:", "unknown command"}(language) << " \"" << command
        << "\"\n\n"
        << kUsage(language);
    return kExitBadInput;
}

int ReportGeneration(std::string_view command, std::ostream& out, std::ostream& err,
                     const std::function<std::string()>& generate)
{
    try {
        out << generate() << "\n";
        return kExitOk;
    } catch (const InputError& e) {
        err << "kestrane " << command << ": " << e.what() << "\n";
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
