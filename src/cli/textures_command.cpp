// kestrane textures: the whole starter texture set into a route's object
// folder, each bitmap that is not there yet.
#include "cli/cli.h"

#include "core/errors.h"
#include "options/option_table.h"
#include "textures/texture_set.h"
#include "textures/texture_writing.h"

namespace kestrane::cli {

namespace {

std::string TexturesHelp(UiLanguage language)
{
    std::string text = LocalText{
        "Használat: kestrane textures [KAPCSOLÓK]\n"
        "\n"
        "A kezdő textúrakészletet írja az aktuális mappába: minden képet, amelyet\n"
        "a generátorok alapból betöltenek, 24 bites BMP fájlként. Meglévő fájlt\n"
        "nem ír felül.\n"
        "\n",
        "Usage: kestrane textures [OPTIONS]\n"
        "\n"
        "Writes the starter texture set into the current folder: every bitmap the\n"
        "generators load by default, as 24-bit BMP files. A file that exists is\n"
        "never replaced.\n"
        "\n"}(language);
    text += OptionHelpLines("-C, --dir DIR", LocalText{"a kimeneti mappa", "write into DIR"}(language));
    text += OptionHelpLines("--lang hu|en", LocalText{"a fájlnevek és az üzenetek nyelve",
                                                      "language of the names and the messages"}(language));
    text += OptionHelpLines("--help", LocalText{"ez a szöveg", "show this text"}(language));
    text += "\n";
    for (const std::string& name : textures::StarterTextureNames(language))
        for (const textures::StarterTexture& texture : textures::StarterTextures())
            if (name == texture.name && texture.owner != textures::TextureOwner::Terrain) {
                text += OptionHelpLines(name, texture.shows(language));
                break;
            }
    return text;
}

}  // namespace

int RunTextures(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const UiLanguage language = RunLanguage(args);
    CommonOptions common;
    const auto take = [&](const std::string& name, ArgReader& reader) {
        if (!common.Take(name, reader))
            throw UnknownOption(name, "textures");
    };
    if (const auto exit = ReadArguments("textures", args, TexturesHelp(language), out, err, take))
        return *exit;
    return ReportGeneration("textures", out, err, [&] {
        common.CheckFolder(language);
        const textures::TextureWriteReport report = textures::WriteTextures(
            textures::StarterTextureNames(common.Language()), common.Folder(), textures::TextureOwner::House);
        return textures::TextureWriteText(report, language);
    });
}

}  // namespace kestrane::cli
