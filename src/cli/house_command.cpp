// kestrane house: the main window's generate button on the command line.
#include "cli/cli.h"
#include "cli/option_run.h"

#include "house/house_generator.h"
#include "core/errors.h"
#include "textures/texture_writing.h"

namespace kestrane::cli {

namespace {

const LocalText kHouseHelpStart{
    "Használat: kestrane house [KAPCSOLÓK]\n"
    "\n"
    "Házat ír az aktuális mappába (magyarul az alapház haz_satorteto.b3d) és\n"
    "kiírja a kész generálás állapotszövegét. A hosszak milliméterek, ahogy a\n"
    "főablak szerkesztőmezőibe írnánk.\n"
    "\n",
    "Usage: kestrane house [OPTIONS]\n"
    "\n"
    "Writes a house into the current folder (haz_satorteto.b3d for the default\n"
    "house in Hungarian) and prints the status of the finished generation.\n"
    "Lengths are millimetres, written as in the window's edit boxes.\n"
    "\n"};

}  // namespace

int RunHouse(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const UiLanguage language = RunLanguage(args);
    OptionRun<HouseInput> run;
    if (const auto exit = StartRun(HouseOptions(), "house", args, run, kHouseHelpStart, language, out, err))
        return *exit;
    HouseInput& input = run.input;

    return ReportGeneration(
        "house", out, err,
        [&] {
            run.common.CheckFolder(language);
            const HouseResult result = GenerateNamingOptions(HouseOptions(), "house", language, err, [&] {
                return GenerateHouse(input, language, run.common.Folder(), run.output);
            });
            // With facades the bitmaps the object needs follow the status.
            std::string text = result.status;
            if (!result.textures.empty())
                text += "\n" + TextureListText(result.textures, language);
            if (input.writeTextures)
                text += "\n" + textures::WriteLoadedTextures(result.loaded, run.common.Folder(),
                                                             textures::TextureOwner::House, language);
            return text;
        });
}

}  // namespace kestrane::cli
