// The help lines that house and terrain share.
#include "cli/option_run.h"

namespace kestrane::cli {

std::string CommonOptionHelp(const char* kind, UiLanguage language)
{
    const bool hu = language == UiLanguage::Hungarian;
    std::string text;
    text += OptionHelpLines("-C, --dir DIR", hu ? "a kimeneti mappa: ide ír az aktuális mappa helyett"
                                                : "write into DIR instead of the current folder");
    text += OptionHelpLines("--lang hu|en", hu ? "a fájl és az üzenetek nyelve; alapból lang.cfg innen\n"
                                                 "(hiányzik: hu; pontosan \"hu\": hu; egyébként en)"
                                               : "language of the file and the messages; default:\n"
                                                 "lang.cfg here (missing: hu; exactly \"hu\": hu; else en)");
    text += OptionHelpLines("-o, --output NAME", hu ? "ezen a néven ír (egy .b3d végű fájlnév a kimeneti\nmappában; --format csv/obj: .csv/.obj is)"
                                                    : "write under this name (a file name ending in .b3d\nin the output folder; with --format csv or obj also\n.csv or .obj)");
    text += OptionHelpLines("--preset FILE", hu ? std::string("egy ") + kind + " előbeállításból indul; az utána\n"
                                                      "megadott kapcsolók felülírják"
                                                : std::string("start from a ") + kind + " preset; options given after\n"
                                                      "it override it");
    return text;
}

namespace {

// "Például: {...}" / "Example: {...}": a preset of the command's own kind.
std::string PresetExample(const char* kind, UiLanguage language)
{
    const bool terrain = std::string(kind) == "terrain";
    return std::string(language == UiLanguage::Hungarian ? "Például: " : "Example: ") +
           (terrain ? "{\"kind\": \"terrain\", \"area\": \"50,50\", \"peak\": [\"10,12,4,5\"]}\n"
                    : "{\"kind\": \"house\", \"roof\": \"hip\", \"width\": \"7200\", \"no-gutters\": true}\n");
}

std::string PresetHelp(const char* kind, UiLanguage language)
{
    if (language == UiLanguage::Hungarian)
        return std::string("Előbeállítás (--preset, kestrane batch): egy JSON-objektum, \"kind\": \"") + kind +
               "\",\n"
               "és a fenti kapcsolók nevei kötőjelek nélkül, értékük ahogy begépelnénk:\n"
               "szöveg; a kapcsolók true/false; az ismételhetők (peak, windows) szövegek\n"
               "tömbje.\n" +
               PresetExample(kind, language);
    return std::string("Presets (--preset, kestrane batch): one JSON object, \"kind\": \"") + kind +
           "\", and the\n"
           "long option names above without the dashes, with the values as typed:\n"
           "strings; switches true/false; repeatable options (peak, windows) arrays of\nstrings.\n" +
           PresetExample(kind, language);
}

const LocalText kExitCodes{
    "\n"
    "Kilépési kódok: 0 siker (figyelmeztetésekkel is), 1 írási/olvasási hiba,\n"
    "2 hibás bemenet (ekkor semmi sem íródik).\n",
    "\n"
    "Exit codes: 0 success (also with warnings), 1 input/output failure, 2 bad\n"
    "input (nothing is written then).\n"};

}  // namespace

std::string HelpEnd(const char* kind, UiLanguage language)
{
    return OptionHelpLines("--help", LocalText{"ez a szöveg", "show this text"}(language)) + "\n" +
           PresetHelp(kind, language) + kExitCodes(language);
}

}  // namespace kestrane::cli
