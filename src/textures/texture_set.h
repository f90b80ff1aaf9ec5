// The starter texture set: every bitmap name our generators write by
// default, in both languages, with the drawing it gets.
//
// One name can mean different pictures to different objects: "a.bmp" is a
// roof slope of a house and the ground of a terrain. The object that names
// a bitmap decides: a house's a.bmp is roof tiles, a terrain's is grass.
// Where no object is known (`kestrane textures`, writing the whole set) the
// house's meaning wins; the terrain's grass is also the track kit's
// fu.bmp / grass.bmp.
#pragma once

#include "core/types.h"
#include "textures/bitmap_image.h"
#include "textures/texture_drawings.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrane::textures {

// The kind of object that names a bitmap.
enum class TextureOwner { House, Terrain, Track };

struct StarterTexture {
    const char* name;       // as the files write it: "1.bmp", "zuzottko.bmp"
    TextureOwner owner;
    std::optional<UiLanguage> language;  // the language whose files use it; none: both
    Drawing drawing;
    LocalText shows;        // what the picture shows, for the README and the help
};

// The whole table, houses first, in the order of the README's list.
const std::vector<StarterTexture>& StarterTextures();

// The drawing of `name` (compared without regard to case) for an object of
// `owner`: that owner's entry first, then any owner's; none for a name the
// set does not know.
std::optional<Drawing> DrawingOf(std::string_view name, TextureOwner owner);

// The kind of object that loads `names`, as far as the names tell (the
// preview has only the file): any house name but a.bmp makes a house, any
// track kit name a track; an object that loads a.bmp alone is a terrain.
TextureOwner OwnerOfNames(const std::vector<std::string>& names);

// The picture of `name` for `owner`: its drawing, or a checker with the
// name on it.
BitmapImage TexturePicture(std::string_view name, TextureOwner owner);

// The names of the whole set in `language`, each once (the house's a.bmp
// standing for the terrain's).
std::vector<std::string> StarterTextureNames(UiLanguage language);

}  // namespace kestrane::textures
