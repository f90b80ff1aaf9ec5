// kestrane batch: many houses and terrains from one JSON file of presets.
#include "cli/cli.h"
#include "cli/option_run.h"

#include "core/cp1250.h"
#include "core/errors.h"
#include "core/replacing_file.h"
#include "house/house_generator.h"
#include "options/preset.h"
#include "terrain/terrain_generator.h"
#include "terrain/terrain_tiles.h"
#include "textures/texture_writing.h"
#include "track/track_generator.h"

#include <map>
#include <optional>

namespace kestrane::cli {

namespace {

const LocalText kBatchHelp{
    "Használat: kestrane batch [-C DIR] [--lang hu|en] FÁJL.json\n"
    "\n"
    "Sok objektumot ír egy futással. A fájl: {\"objects\": [ELŐBEÁLLÍTÁS, ...]}, ahol\n"
    "minden előbeállítás (lásd: kestrane house --help) egy \"output\": \"NÉV.b3d\"\n"
    "tagot is tartalmaz. Objektumonként egy sor jelzi a haladást; a hibás\n"
    "objektum a sorszámával és a hibás mezővel kerül jelentésre, belőle semmi sem\n"
    "íródik, a többi igen.\n"
    "\n"
    "  -C, --dir DIR          a kimeneti mappa\n"
    "  --lang hu|en           a fájlok és az üzenetek nyelve (alapból lang.cfg)\n"
    "\n"
    "Kilépési kódok: 0 minden objektum elkészült, 1 írási/olvasási hiba,\n"
    "2 legalább egy objektumot elutasított.\n",
    "Usage: kestrane batch [-C DIR] [--lang hu|en] FILE.json\n"
    "\n"
    "Writes many objects in one run. The file is {\"objects\": [PRESET, ...]}, each\n"
    "preset (see kestrane house --help) also naming its file: \"output\": \"NAME.b3d\".\n"
    "A progress line follows each object; a refused object is reported with its\n"
    "number and the field at fault and nothing of it is written; the others are.\n"
    "\n"
    "  -C, --dir DIR          the output folder\n"
    "  --lang hu|en           language of the files and messages (default: lang.cfg)\n"
    "\n"
    "Exit codes: 0 every object written, 1 input/output failure, 2 an object was\n"
    "refused.\n"};

// One object of the file: refused (the message), or written (the status and
// its warnings). Throws OutputError.
struct ObjectOutcome {
    std::string refusal;
    std::string status;
    std::vector<std::string> warnings;
    std::string name;  // what the progress line names when the object has no "output"
    ObjectFormat format = ObjectFormat::B3d;  // its files' ("output" names the B3D file or the format's)
};

template <class Input>
std::string Refusal(const std::vector<OptionSpec<Input>>& table, const InputError& e, UiLanguage language)
{
    return WithOption(table, e.field(), e.what(), OptionNaming::Member, language);
}

// The rules of the table for the object's members: a refusal (thrown as
// InputError without a field) or the warnings of members without effect.
template <class Input>
std::vector<std::string> MemberRules(const std::vector<OptionSpec<Input>>& table, const Preset& preset,
                                     const Input& input, UiLanguage language)
{
    std::set<std::string> given;
    for (const auto& value : preset.values)
        given.insert(value.first);
    try {
        return CheckOptionRules(table, input, given, OptionNaming::Member, language);
    } catch (const PresetError& e) {
        throw InputError(e.Text(language));
    }
}

// A generation's warnings, each naming its member.
template <class Input>
void AddWarnings(const std::vector<OptionSpec<Input>>& table, const std::vector<GenerationWarning>& warnings,
                 UiLanguage language, ObjectOutcome& outcome)
{
    for (const GenerationWarning& warning : warnings)
        outcome.warnings.push_back(WithOption(table, warning.field, warning.message, OptionNaming::Member, language));
}

// One object of the file with `table`: its members set on the window's
// defaults, the rules between them, then `generate` (the input, the outcome
// for the files it writes besides the output) for its result.
template <class Input, class Generate>
ObjectOutcome WriteObject(const std::vector<OptionSpec<Input>>& table, const Preset& preset, UiLanguage language,
                          Generate&& generate)
{
    ObjectOutcome outcome;
    Input input{};
    ApplyPreset(table, preset, input);
    outcome.format = input.format;
    try {
        outcome.warnings = MemberRules(table, preset, input, language);
        const auto result = generate(input, outcome);
        outcome.status = result.status;
        AddWarnings(table, result.warnings, language, outcome);
    } catch (const InputError& e) {
        outcome.refusal = Refusal(table, e, language);
    }
    return outcome;
}

// An "output" that the object's "format" does not take, as a refusal.
void RefuseOtherFormat(const std::string& output, ObjectFormat format, UiLanguage language)
{
    try {
        CheckOutputFormat(output, format, true);
    } catch (const UsageError& e) {
        throw InputError(e.Text(language));
    }
}

ObjectOutcome WriteHouseObject(const Preset& preset, const std::filesystem::path& folder, UiLanguage language)
{
    return WriteObject(HouseOptions(), preset, language, [&](const HouseInput& input, ObjectOutcome&) {
        RefuseOtherFormat(*preset.output, input.format, language);
        HouseResult result = GenerateHouse(input, language, folder, *preset.output);
        if (input.writeTextures)
            result.status += "\n" + textures::WriteLoadedTextures(result.loaded, folder, textures::TextureOwner::House,
                                                                  language);
        return result;
    });
}

ObjectOutcome WriteTerrainObject(const Preset& preset, const std::filesystem::path& folder, UiLanguage language)
{
    return WriteObject(TerrainOptions(), preset, language, [&](const TerrainInput& input, ObjectOutcome&) {
        RefuseOtherFormat(*preset.output, input.format, language);
        TerrainGenerator generator;
        TerrainResult result = generator.Generate(input, language, folder, *preset.output);
        if (const std::string text = input.writeTextures ? textures::WriteTerrainTextures(input.texture, folder, language)
                                                         : std::string();
            !text.empty())
            result.status += "\n" + text;
        return result;
    });
}

// Whether a batch object is a terrain written as a tile set.
bool WritesTileSet(const Preset& preset)
{
    if (preset.kind != "terrain")
        return false;
    TerrainInput input;
    ApplyPreset(TerrainOptions(), preset, input);
    return input.layout == TerrainLayout::Simulator;
}

// A track kit: its files take their own names; "output" (optional) names
// the one file of a kit of one piece and one radius.
ObjectOutcome WriteTrackObject(const Preset& preset, const std::filesystem::path& folder, UiLanguage language)
{
    return WriteObject(TrackOptions(), preset, language, [&](const TrackInput& input, ObjectOutcome& outcome) {
        if (preset.output)
            RefuseOtherFormat(*preset.output, input.format, language);
        TrackResult result = GenerateTrackKit(input, language, folder, preset.output.value_or(""));
        outcome.name = result.structureList.filename().string();
        if (input.writeTextures)
            result.status += "\n" + textures::WriteLoadedTextures(result.textures, folder, textures::TextureOwner::Track,
                                                                  language);
        return result;
    });
}

}  // namespace

int RunBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const UiLanguage language = RunLanguage(args);
    CommonOptions common;
    std::string file;
    const auto take = [&](const std::string& name, ArgReader& reader) {
        if (common.Take(name, reader))
            return;
        if (name.rfind("-", 0) == 0 || !file.empty())
            throw UnknownOption(name, "batch");
        file = name;
    };
    const auto finish = [&] {
        if (file.empty())
            throw UsageError("nincs megadva kötegfájl (lásd: kestrane batch --help)",
                             "no batch file given (see kestrane batch --help)");
    };
    if (const auto exit = ReadArguments("batch", args, kBatchHelp(language), out, err, take, finish))
        return *exit;

    std::vector<std::string> objects;
    try {
        objects = ParseBatchObjects(LoadPresetText(PathFromUtf8(file)));
        common.CheckFolder(language);
    } catch (const PresetError& e) {
        err << "kestrane batch: " << file << ": " << e.Text(language) << "\n";
        return kExitBadInput;
    } catch (const OutputError& e) {
        err << "kestrane batch: " << e.path() << ": " << e.what() << "\n";
        return kExitIoFailure;
    }

    const std::string total = std::to_string(objects.size());
    std::map<std::string, std::size_t> taken;  // a name in the folder, the object that writes or removes it
    bool refused = false;
    bool failed = false;
    // Every file is written beside its name first; the files are flushed
    // to the disk together and then put in place, after the last object.
    ReplacementGroup files;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        const std::string number = std::to_string(i + 1);
        const std::string label = language == UiLanguage::Hungarian ? number + ". objektum" : "object " + number;
        const auto refuse = [&](const std::string& why) {
            err << "kestrane batch: " << label << ": " << why << "\n";
            refused = true;
        };
        try {
            const Preset preset = ParsePreset(objects[i], true);
            const bool isTrack = preset.kind == "track";
            if (!preset.output && !isTrack)
                throw PresetError("output", "\"output\": hiányzik (egy .b3d fájlnév)",
                                  "\"output\": missing (a .b3d file name)");
            const bool isSet = WritesTileSet(preset);
            try {
                if (preset.output)
                    CheckOutputName(*preset.output);
                if (isSet)
                    CheckTileSetOutputName(*preset.output);
            } catch (const UsageError& e) {
                throw PresetError("output", "\"output\"" + e.Text(UiLanguage::Hungarian).substr(2),
                                  "\"output\"" + e.Text(UiLanguage::English).substr(2));
            }
            const auto refuseTaken = [&](const std::string& name, std::size_t earlier) {
                const std::string first = std::to_string(earlier);
                if (!preset.output)  // a track kit names its own files
                    throw PresetError("radius", "a(z) " + QuotedValue(name, "bájt") + " fájl már a(z) " + first +
                                                    ". objektumé",
                                      "the file " + QuotedValue(name) + " is object " + first + "'s already");
                if (name == *preset.output)
                    throw PresetError("output", "\"output\": " + QuotedValue(name, "bájt") + " már a(z) " + first +
                                                    ". objektumé",
                                      "\"output\": " + QuotedValue(name) + " is object " + first + "'s already");
                throw PresetError("output",
                                  "\"output\": " + QuotedValue(*preset.output, "bájt") + ": a(z) " + QuotedValue(name) +
                                      " fájlja már a(z) " + first + ". objektumé",
                                  "\"output\": " + QuotedValue(*preset.output) + ": its file " + QuotedValue(name) +
                                      " is object " + first + "'s already");
            };
            if (const auto earlier = preset.output ? taken.find(*preset.output) : taken.end(); earlier != taken.end())
                refuseTaken(earlier->first, earlier->second);
            // The object's files (a tile set's tiles, index and the names
            // it removes included) wait in a group of their own until they
            // are known not to meet an earlier object's.
            ReplacementGroup objectFiles;
            const ObjectOutcome outcome = isTrack                 ? WriteTrackObject(preset, common.Folder(), language)
                                          : preset.kind == "house" ? WriteHouseObject(preset, common.Folder(), language)
                                                                   : WriteTerrainObject(preset, common.Folder(), language);
            if (!outcome.refusal.empty()) {
                refuse(outcome.refusal);
                continue;
            }
            // The name written: "output" in the object's format.
            const std::optional<std::string> written =
                preset.output ? std::optional(FileNameInFormat(*preset.output, outcome.format)) : std::nullopt;
            std::vector<std::string> claimed = objectFiles.TargetNames();
            if (written)
                claimed.push_back(*written);
            for (const std::string& name : claimed)
                if (const auto earlier = taken.find(name); earlier != taken.end())
                    refuseTaken(name, earlier->second);
            objectFiles.Publish();
            for (const std::string& name : claimed)
                taken.emplace(name, i + 1);
            out << "[" << number << "/" << total << "] " << (written ? *written : outcome.name) << ": "
                << outcome.status << "\n"
                << std::flush;
            for (const std::string& warning : outcome.warnings)
                err << WarningStart("batch", language) << label << ": " << warning << "\n";
        } catch (const PresetError& e) {
            refuse(e.Text(language));
        } catch (const std::invalid_argument& e) {
            refuse(e.what());
        } catch (const OutputError& e) {
            err << "kestrane batch: " << label << ": " << e.path() << ": " << e.what() << "\n";
            failed = true;
        }
    }
    try {
        files.Publish();
    } catch (const OutputError& e) {
        err << "kestrane batch: " << e.path() << ": " << e.what() << "\n";
        failed = true;
    }
    if (failed)
        return kExitIoFailure;
    return refused ? kExitBadInput : kExitOk;
}

}  // namespace kestrane::cli
