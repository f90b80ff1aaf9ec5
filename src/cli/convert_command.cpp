// kestrane convert: any B3D file as a CSV object or as OBJ with its MTL.
#include "cli/cli.h"

#include "b3d/b3d_writer.h"
#include "b3d/object_format.h"
#include "core/errors.h"
#include "core/regular_file.h"

#include <filesystem>

namespace kestrane::cli {

namespace {

const LocalText kConvertHelp{
    "Használat: kestrane convert FÁJL.b3d --format csv|obj [-o NÉV]\n"
    "\n"
    "Egy B3D fájlt (akár nem ezzel a programmal készültet) a szimulátor CSV\n"
    "objektumává (NÉV.csv: ugyanazok az utasítások CSV parancsokként, a\n"
    "megjegyzésekkel) vagy Wavefront OBJ fájllá és anyagtárrá (NÉV.obj,\n"
    "NÉV.mtl) alakít. Az eredmény a FÁJL mellé kerül, alapból a neve a FÁJL\n"
    "neve az új végződéssel.\n"
    "\n"
    "  --format csv|obj  a cél formátuma\n"
    "  -o NÉV            az eredmény neve (a formátum végződésével vagy .b3d\n"
    "                    végű, útvonal nélkül)\n"
    "  --help            ez a szöveg\n"
    "\n"
    "Kilépési kódok: 0 siker, 1 írási/olvasási hiba, 2 hibás bemenet.\n",
    "Usage: kestrane convert FILE.b3d --format csv|obj [-o NAME]\n"
    "\n"
    "Converts a B3D file (ours or anybody's) to the simulator's CSV object\n"
    "(NAME.csv: the same statements as CSV commands, comments kept) or to\n"
    "Wavefront OBJ with its material library (NAME.obj, NAME.mtl). The result\n"
    "goes beside FILE, named as FILE with the format's ending unless -o names\n"
    "it.\n"
    "\n"
    "  --format csv|obj  the format to write\n"
    "  -o NAME           the result's name (ending in the format's ending or in\n"
    "                    .b3d, no path)\n"
    "  --help            show this text\n"
    "\n"
    "Exit codes: 0 success, 1 input/output failure, 2 bad input.\n"};

// The largest file converted: the reader's limits are far below it.
constexpr std::size_t kLargestSource = std::size_t{1} << 31;

}  // namespace

int RunConvert(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const UiLanguage language = RunLanguage(args);
    std::string source;
    std::string output;
    std::optional<ObjectFormat> format;
    const auto take = [&](const std::string& name, ArgReader& reader) {
        if (name == "--lang") {
            reader.Value();
        } else if (name == "--format") {
            const std::string value = reader.Value();
            format = ParseObjectFormat(value);
            if (!format || *format == ObjectFormat::B3d)
                throw UsageError("--format: csv vagy obj lehet, nem \"" + value + "\"",
                                 "--format must be csv or obj, not \"" + value + "\"");
        } else if (name == "-o" || name == "--output") {
            output = reader.Value();
            CheckOutputName(output);
        } else if (name.rfind("-", 0) == 0 || !source.empty()) {
            throw UnknownOption(name, "convert");
        } else {
            source = name;
        }
    };
    const auto finish = [&] {
        if (source.empty())
            throw UsageError("hiányzik a B3D fájl (lásd: kestrane convert --help)",
                             "no B3D file given (see kestrane convert --help)");
        if (!HasEnding(source, ".b3d"))
            throw UsageError("\"" + source + "\" nem .b3d végű", "\"" + source + "\" does not end in .b3d");
        if (!format)
            throw UsageError("--format: hiányzik (csv vagy obj)", "--format is missing (csv or obj)");
        if (!output.empty())
            CheckOutputFormat(output, *format);
    };
    if (const auto exit = ReadArguments("convert", args, kConvertHelp(language), out, err, take, finish))
        return *exit;

    const std::filesystem::path from(source);
    const std::string fileName = output.empty() ? from.filename().string() : output;
    std::filesystem::path to = from;
    to.replace_filename(FileNameInFormat(fileName, *format));
    if (!HasEnding(to.filename().string(), ObjectFormatEnding(*format)))
        to.replace_extension(ObjectFormatEnding(*format));
    return ReportGeneration("convert", out, err, [&] {
        const std::optional<std::string> text = ReadRegularFile(from, kLargestSource);
        if (!text)
            throw OutputError(LocalText{"nem olvasható fájl", "cannot be read as a file"}(language), source, 0);
        B3dWriter writer;
        writer.format = *format;
        writer.OpenOutput(to);
        writer.WriteBytes(*text);
        writer.CloseOutput();
        return to.string() + LocalText{": kész", ": written"}(language);
    });
}

}  // namespace kestrane::cli
