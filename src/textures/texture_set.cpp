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

// One picture of the set: its name in the Hungarian and in the English
// files (the same name where both use it), the kind of object that names
// it, its drawing and what it shows.
struct Picture {
    const char* hu;
    const char* en;
    TextureOwner owner;
    Drawing drawing;
    LocalText shows;
};

using enum Drawing;
using enum TextureOwner;

constexpr Picture kPictures[] = {
    // Hungarian name   English name        owner    drawing        shows
    {"1.bmp",           "1.bmp",            House,   Plaster,       {"első fal: vakolt, lábazati sávval", "front wall: plastered, with a plinth band"}},
    {"2.bmp",           "2.bmp",            House,   Plaster,       {"jobb fal", "right wall"}},
    {"3.bmp",           "3.bmp",            House,   Plaster,       {"hátsó fal", "back wall"}},
    {"4.bmp",           "4.bmp",            House,   Plaster,       {"bal fal", "left wall"}},
    {"5.bmp",           "5.bmp",            House,   Plaster,       {"bal sarokfal", "left corner wall"}},
    {"6.bmp",           "6.bmp",            House,   Plaster,       {"jobb sarokfal", "right corner wall"}},
    {"7.bmp",           "7.bmp",            House,   GableBoards,   {"oromfal: vízszintes deszkaborítás", "gable: horizontal weatherboards"}},
    {"8.bmp",           "8.bmp",            House,   GableBoards,   {"oromfal: vízszintes deszkaborítás", "gable: horizontal weatherboards"}},
    {"9.bmp",           "9.bmp",            House,   GableBoards,   {"oromfal: vízszintes deszkaborítás", "gable: horizontal weatherboards"}},
    {"a.bmp",           "a.bmp",            House,   RoofTiles,     {"tetőcserép sorokban", "roof tiles in rows"}},
    {"b.bmp",           "b.bmp",            House,   RoofTiles,     {"tetőcserép sorokban", "roof tiles in rows"}},
    {"c.bmp",           "c.bmp",            House,   RoofTiles,     {"tetőcserép sorokban", "roof tiles in rows"}},
    {"d.bmp",           "d.bmp",            House,   RoofTiles,     {"tetőcserép sorokban", "roof tiles in rows"}},
    {"eresz.bmp",       "eresz.bmp",        House,   GutterMetal,   {"eresz, csatorna, lefolyó: horganyzott lemez", "soffit, gutters, downpipe: galvanised sheet"}},
    {"k.bmp",           "k.bmp",            House,   ChimneyBrick,  {"kémény: tégla", "chimney brick"}},
    {"ablak.bmp",       "window.bmp",       House,   Window,        {"ablak: keret, osztók, üveg", "window: frame, glazing bars, glass"}},
    {"ablak_ejjel.bmp", "window_night.bmp", House,   LitWindow,     {"világító ablak éjjelre: meleg fény az üveg mögött", "lit window for the night: warm light behind the glass"}},
    {"ajto.bmp",        "door.bmp",         House,   Door,          {"deszkaajtó kilinccsel", "plank door with a handle"}},
    {"a.bmp",           "a.bmp",            Terrain, Grass,         {"terep: fű", "terrain: grass"}},
    {"zuzottko.bmp",    "ballast.bmp",      Track,   Ballast,       {"zúzottkő ágyazat", "ballast stones"}},
    {"talpfa.bmp",      "sleeper.bmp",      Track,   SleeperWood,   {"talpfa: fa erezet", "sleeper wood grain"}},
    {"sin.bmp",         "rail.bmp",         Track,   RailSteel,     {"sín: rozsdás acél, fényes futófelület", "rail steel, rusty, with a bright running band"}},
    {"fu.bmp",          "grass.bmp",        Track,   GrassSlope,    {"füves rézsű", "grass slope"}},
    {"szikla.bmp",      "rock.bmp",         Track,   RockCutting,   {"sziklás bevágás", "rock cutting"}},
    {"tamfal.bmp",      "wall.bmp",         Track,   RetainingWall, {"támfal: kőtömbök sorokban", "retaining wall: stone blocks in courses"}},
};

// The set as one entry per name: for each kind of object, the names both
// languages use and the Hungarian ones, then the English ones.
std::vector<StarterTexture> MakeTable()
{
    std::vector<StarterTexture> table;
    for (const TextureOwner owner : {House, Terrain, Track}) {
        for (const Picture& p : kPictures) {
            const bool shared = std::string_view(p.hu) == p.en;
            if (p.owner == owner)
                table.push_back({p.hu, owner, shared ? kBoth : std::optional(kHu), p.drawing, p.shows});
        }
        for (const Picture& p : kPictures) {
            if (p.owner == owner && std::string_view(p.hu) != p.en)
                table.push_back({p.en, owner, kEn, p.drawing, p.shows});
        }
    }
    return table;
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
