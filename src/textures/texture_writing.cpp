#include "textures/texture_writing.h"

#include "b3d/b3d_reader.h"
#include "core/replacing_file.h"

#include <algorithm>

namespace kestrane::textures {

namespace {

void AddOnce(std::vector<std::string>& names, const std::string& name)
{
    if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
        names.push_back(name);
}

// A name the set may write: a file name without a folder, ending in .bmp.
bool IsPlainBitmapName(const std::string& name)
{
    if (name.size() <= 4 || name.find_first_of("/\\:") != std::string::npos || name == "..")
        return false;
    std::string ending = name.substr(name.size() - 4);
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return ending == ".bmp";
}

std::string List(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

}  // namespace

std::vector<std::string> LoadedTextureNames(const std::vector<std::filesystem::path>& objects)
{
    std::vector<std::string> names;
    for (const std::filesystem::path& object : objects)
        for (const b3d::Section& section : b3d::ReadObjectFile(object).sections) {
            AddOnce(names, section.texture);
            AddOnce(names, section.nightTexture);
        }
    return names;
}

TextureWriteReport WriteTextures(const std::vector<std::string>& names, const std::filesystem::path& folder,
                                 TextureOwner owner)
{
    TextureWriteReport report;
    for (const std::string& name : names) {
        if (!IsPlainBitmapName(name)) {
            report.skipped.push_back(name);
            continue;
        }
        const std::filesystem::path path = folder.empty() ? std::filesystem::path(name) : folder / name;
        std::error_code failed;
        // Whatever stands under the name, even a link to nowhere, is the user's.
        if (std::filesystem::symlink_status(path, failed).type() != std::filesystem::file_type::not_found) {
            report.kept.push_back(name);
            continue;
        }
        const bool known = DrawingOf(name, owner).has_value();
        ReplacingFile file;
        file.Open(path);
        file.Write(BmpFileBytes(TexturePicture(name, owner)));
        file.Commit();
        report.written.push_back(name);
        if (!known)
            report.placeholders.push_back(name);
    }
    return report;
}

std::string TextureWriteText(const TextureWriteReport& report, UiLanguage language)
{
    std::string text = LocalText{"Textúrák: ", "Textures: "}(language) + std::to_string(report.written.size()) +
                       LocalText{" megírva, ", " written, "}(language) + std::to_string(report.kept.size()) +
                       LocalText{" megtartva (már a mappában voltak).", " kept (already in the folder)."}(language);
    if (!report.placeholders.empty())
        text += LocalText{"\nIsmeretlen név, kockás mintával megírva: ", "\nUnknown name, written as a checker: "}(
                    language) + List(report.placeholders);
    if (!report.skipped.empty())
        text += LocalText{"\nNem írt textúra (nem .bmp fájlnév a mappában): ",
                          "\nNot written (not a .bmp file name in the folder): "}(language) + List(report.skipped);
    return text;
}

std::string WriteObjectTextures(const std::vector<std::filesystem::path>& objects,
                                const std::filesystem::path& folder, TextureOwner owner, UiLanguage language)
{
    return WriteLoadedTextures(LoadedTextureNames(objects), folder, owner, language);
}

std::string WriteLoadedTextures(const std::vector<std::string>& names, const std::filesystem::path& folder,
                                TextureOwner owner, UiLanguage language)
{
    return TextureWriteText(WriteTextures(names, folder, owner), language);
}

std::string WriteTerrainTextures(const std::string& texture, const std::filesystem::path& folder,
                                 UiLanguage language)
{
    if (texture.empty())
        return {};
    return TextureWriteText(WriteTextures({texture}, folder, TextureOwner::Terrain), language);
}

}  // namespace kestrane::textures
