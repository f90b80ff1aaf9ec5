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

// With facades the bitmaps the object needs follow the status.
std::string Describe(const OptionRun<HouseInput>& run, const HouseResult& result, UiLanguage language)
{
    const std::string status =
        result.textures.empty() ? result.status : result.status + "\n" + TextureListText(result.textures, language);
    return WithWrittenTextures(status, run, result.loaded, textures::TextureOwner::House, language);
}

}  // namespace

int RunHouse(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    return RunGenerator(HouseOptions(), "house", kHouseHelpStart, args, out, err, GenerateHouse, Describe);
}

}  // namespace kestrane::cli
