// kestrane terrain: the area builder's generate button on the command line.
#include "cli/cli.h"
#include "cli/option_run.h"

#include "core/errors.h"
#include "terrain/terrain_generator.h"

namespace kestrane::cli {

namespace {

const LocalText kTerrainHelpStart{
    "Használat: kestrane terrain [KAPCSOLÓK]\n"
    "\n"
    "Terepfelületet (domb.b3d) ír az aktuális mappába és kiírja a kész generálás\n"
    "állapotszövegét. A számok úgy íródnak, mint a területépítő ablak\n"
    "szerkesztőmezőiben (méter, rácskocka, \".\" tizedesjel).\n"
    "\n",
    "Usage: kestrane terrain [OPTIONS]\n"
    "\n"
    "Writes a terrain surface, domb.b3d, into the current folder and prints the\n"
    "status of the finished generation. Numbers are written as in the area\n"
    "builder window's edit boxes (metres, cells, \".\" as decimal point).\n"
    "\n"};

std::string TerrainHelp(UiLanguage language)
{
    return kTerrainHelpStart(language) + CommonOptionHelp("terrain", language) + OptionHelp(TerrainOptions(), language) +
           HelpEnd("terrain", language);
}

}  // namespace

int RunTerrain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const UiLanguage language = RunLanguage(args);
    OptionRun<TerrainInput> run;
    try {
        ReadOptions(TerrainOptions(), "terrain", args, run);
    } catch (const UsageError& e) {
        err << "kestrane terrain: " << UsageText(e, language) << "\n";
        return kExitBadInput;
    }
    if (run.help) {
        out << TerrainHelp(language);
        return kExitOk;
    }

    // A refused texture name is reported after its option ("--texture:
    // Texture name: ..."); other fields name their option after the message.
    return ReportGeneration(
        "terrain", out, err,
        [&] {
            run.common.CheckFolder(language);
            TerrainGenerator generator;
            TerrainResult result;
            try {
                result = generator.Generate(run.input, language, run.common.folder, run.output);
            } catch (const InputError& e) {
                if (e.field() == TerrainTextureCaption(language))
                    throw;
                throw InputError(e.field(),
                                 WithOption(TerrainOptions(), e.field(), e.what(), OptionNaming::Command, language));
            }
            for (const GenerationWarning& warning : result.warnings)
                err << WarningStart("terrain", language)
                    << WithOption(TerrainOptions(), warning.field, warning.message, OptionNaming::Command, language)
                    << "\n";
            return result.status;
        },
        {{TerrainTextureCaption(language), "--texture"}});
}

}  // namespace kestrane::cli
