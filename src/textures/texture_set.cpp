#include "textures/texture_set.h"

#include <algorithm>

namespace kestrane::textures {

namespace {

constexpr auto kHu = UiLanguage::Hungarian;
constexpr auto kEn = UiLanguage::English;
constexpr std::optional<UiLanguage> kBoth = std::nullopt;

bool SameName(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

std::vector<StarterTexture> MakeTable()
{
    using enum Drawing;
    const TextureOwner house = TextureOwner::House, terrain = TextureOwner::Terrain, track = TextureOwner::Track;
    const LocalText gable{"oromfal: vízszintes deszkaborítás", "gable: horizontal weatherboards"};
    const LocalText roof{"tetőcserép sorokban", "roof tiles in rows"};
    const LocalText window{"ablak: keret, osztók, üveg", "window: frame, glazing bars, glass"};
    const LocalText litWindow{"világító ablak éjjelre: meleg fény az üveg mögött",
                              "lit window for the night: warm light behind the glass"};
    const LocalText door{"deszkaajtó kilinccsel", "plank door with a handle"};
    const LocalText ballast{"zúzottkő ágyazat", "ballast stones"};
    const LocalText sleeper{"talpfa: fa erezet", "sleeper wood grain"};
    const LocalText rail{"sín: rozsdás acél, fényes futófelület", "rail steel, rusty, with a bright running band"};
    const LocalText grassSlope{"füves rézsű", "grass slope"};
    const LocalText rock{"sziklás bevágás", "rock cutting"};
    const LocalText wallStone{"támfal: kőtömbök sorokban", "retaining wall: stone blocks in courses"};
    //  name                owner    language  drawing        shows
    return {
        {"1.bmp",            house,   kBoth, Plaster,       {"első fal: vakolt, lábazati sávval", "front wall: plastered, with a plinth band"}},
        {"2.bmp",            house,   kBoth, Plaster,       {"jobb fal", "right wall"}},
        {"3.bmp",            house,   kBoth, Plaster,       {"hátsó fal", "back wall"}},
        {"4.bmp",            house,   kBoth, Plaster,       {"bal fal", "left wall"}},
        {"5.bmp",            house,   kBoth, Plaster,       {"bal sarokfal", "left corner wall"}},
        {"6.bmp",            house,   kBoth, Plaster,       {"jobb sarokfal", "right corner wall"}},
        {"7.bmp",            house,   kBoth, GableBoards,   gable},
        {"8.bmp",            house,   kBoth, GableBoards,   gable},
        {"9.bmp",            house,   kBoth, GableBoards,   gable},
        {"a.bmp",            house,   kBoth, RoofTiles,     roof},
        {"b.bmp",            house,   kBoth, RoofTiles,     roof},
        {"c.bmp",            house,   kBoth, RoofTiles,     roof},
        {"d.bmp",            house,   kBoth, RoofTiles,     roof},
        {"eresz.bmp",        house,   kBoth, GutterMetal,   {"eresz, csatorna, lefolyó: horganyzott lemez", "soffit, gutters, downpipe: galvanised sheet"}},
        {"k.bmp",            house,   kBoth, ChimneyBrick,  {"kémény: tégla", "chimney brick"}},
        {"ablak.bmp",        house,   kHu,   Window,        window},
        {"ablak_ejjel.bmp",  house,   kHu,   LitWindow,     litWindow},
        {"ajto.bmp",         house,   kHu,   Door,          door},
        {"window.bmp",       house,   kEn,   Window,        window},
        {"window_night.bmp", house,   kEn,   LitWindow,     litWindow},
        {"door.bmp",         house,   kEn,   Door,          door},
        {"a.bmp",            terrain, kBoth, Grass,         {"terep: fű", "terrain: grass"}},
        {"zuzottko.bmp",     track,   kHu,   Ballast,       ballast},
        {"talpfa.bmp",       track,   kHu,   SleeperWood,   sleeper},
        {"sin.bmp",          track,   kHu,   RailSteel,     rail},
        {"fu.bmp",           track,   kHu,   GrassSlope,    grassSlope},
        {"szikla.bmp",       track,   kHu,   RockCutting,   rock},
        {"tamfal.bmp",       track,   kHu,   RetainingWall, wallStone},
        {"ballast.bmp",      track,   kEn,   Ballast,       ballast},
        {"sleeper.bmp",      track,   kEn,   SleeperWood,   sleeper},
        {"rail.bmp",         track,   kEn,   RailSteel,     rail},
        {"grass.bmp",        track,   kEn,   GrassSlope,    grassSlope},
        {"rock.bmp",         track,   kEn,   RockCutting,   rock},
        {"wall.bmp",         track,   kEn,   RetainingWall, wallStone},
    };
}

}  // namespace

const std::vector<StarterTexture>& StarterTextures()
{
    static const std::vector<StarterTexture> table = MakeTable();
    return table;
}

std::optional<Drawing> DrawingOf(std::string_view name, TextureOwner owner)
{
    std::optional<Drawing> anyOwner;
    for (const StarterTexture& texture : StarterTextures()) {
        if (!SameName(texture.name, name))
            continue;
        if (texture.owner == owner)
            return texture.drawing;
        if (!anyOwner)
            anyOwner = texture.drawing;
    }
    return anyOwner;
}

TextureOwner OwnerOfNames(const std::vector<std::string>& names)
{
    bool track = false;
    for (const std::string& name : names)
        for (const StarterTexture& texture : StarterTextures()) {
            if (!SameName(texture.name, name) || texture.owner == TextureOwner::Terrain)
                continue;
            if (texture.owner == TextureOwner::House && !SameName(name, "a.bmp"))
                return TextureOwner::House;
            track = track || texture.owner == TextureOwner::Track;
        }
    return track ? TextureOwner::Track : TextureOwner::Terrain;
}

BitmapImage TexturePicture(std::string_view name, TextureOwner owner)
{
    const std::optional<Drawing> drawing = DrawingOf(name, owner);
    return drawing ? Draw(*drawing) : Draw(Drawing::Checker, name);
}

std::vector<std::string> StarterTextureNames(UiLanguage language)
{
    std::vector<std::string> names;
    for (const StarterTexture& texture : StarterTextures()) {
        if (texture.language && *texture.language != language)
            continue;
        if (std::find(names.begin(), names.end(), texture.name) == names.end())
            names.push_back(texture.name);
    }
    return names;
}

}  // namespace kestrane::textures
