// Writing the starter textures beside an object: each bitmap the object
// names that is not in the folder yet, through the same replacing writer as
// every other file. A file that exists is never replaced: a bitmap of the
// user's own always wins.
#pragma once

#include "core/types.h"
#include "textures/texture_set.h"

#include <filesystem>
#include <string>
#include <vector>

namespace kestrane::textures {

struct TextureWriteReport {
    std::vector<std::string> written;       // drawn and written now
    std::vector<std::string> kept;          // already in the folder, left as they were
    std::vector<std::string> placeholders;  // of `written`: names the set does not know, drawn as a checker
    std::vector<std::string> skipped;       // not a plain .bmp file name in the folder: not written
};

// The bitmaps the B3D files load, day and night textures, in the order of
// first use, each once.
std::vector<std::string> LoadedTextureNames(const std::vector<std::filesystem::path>& objects);

// Writes the bitmaps `names` that `folder` (empty: the current folder) lacks,
// drawn for an object of `owner`. Throws OutputError for a file that cannot
// be written; the ones written before it stay.
TextureWriteReport WriteTextures(const std::vector<std::string>& names, const std::filesystem::path& folder,
                                 TextureOwner owner);

// What a run says about it: "Textures: 15 written, 2 kept (already in the
// folder)." and a line for the placeholders and one for the skipped names.
std::string TextureWriteText(const TextureWriteReport& report, UiLanguage language);

// The --write-textures step of a generating command: writes the bitmaps the
// objects (written into `folder`) load and returns the run's text about it.
std::string WriteObjectTextures(const std::vector<std::filesystem::path>& objects,
                                const std::filesystem::path& folder, TextureOwner owner, UiLanguage language);

// The same for the bitmaps `names` an object loads, as its writer counted
// them (no need to read the object back).
std::string WriteLoadedTextures(const std::vector<std::string>& names, const std::filesystem::path& folder,
                                TextureOwner owner, UiLanguage language);

// The same for a terrain, whose every cell (and tile) loads the one texture
// typed: nothing to write, and no text, when it is empty.
std::string WriteTerrainTextures(const std::string& texture, const std::filesystem::path& folder,
                                 UiLanguage language);

}  // namespace kestrane::textures
