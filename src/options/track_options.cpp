// The options of `kestrane track` and the members of a track preset: one
// row per input of the kit.
#include "options/format_option.h"
#include "options/option_forms.h"
#include "options/option_table.h"
#include "options/option_values.h"
#include "options/texture_options.h"

#include <algorithm>

#include "track/track_params.h"

namespace kestrane {

namespace {

using Text = std::string TrackInput::*;

std::function<std::string(UiLanguage)> CaptionOf(Text field)
{
    return [field](UiLanguage language) { return TrackFieldCaption(field, language); };
}

// An edit box typed as it is; the generator reads and checks it.
TrackOption Box(const char* name, const char* placeholder, Text field, LocalText help, LocalText heading = {nullptr, nullptr})
{
    TrackOption option = TextOption(name, placeholder, field, help, {CaptionOf(field)});
    option.heading = heading;
    return option;
}

// "ELEMENT=NAME" rows of --texture: the bitmap of one element.
void SetTextures(TrackInput& input, const std::vector<std::string>& rows)
{
    std::array<std::string, kTrackElementCount> textures{};
    for (const std::string& row : rows) {
        const auto equals = row.find('=');
        const std::string key = row.substr(0, equals);
        const auto& table = TrackElementTable();
        const auto found = std::find_if(table.begin(), table.end(), [&](const TrackElementRow& r) { return key == r.key; });
        if (equals == std::string::npos || found == table.end()) {
            std::string keys;
            for (const TrackElementRow& r : table)
                keys += std::string(keys.empty() ? "" : ", ") + r.key;
            throw OptionError("ELEM=NÉV kell, ahol ELEM: " + keys + "; nem \"" + row + "\"",
                              "takes ELEMENT=NAME with ELEMENT one of " + keys + ", not \"" + row + "\"");
        }
        textures[static_cast<std::size_t>(found->element)] = row.substr(equals + 1);
    }
    input.textures = textures;
}

std::vector<std::string> TextureRows(const TrackInput& input)
{
    std::vector<std::string> rows;
    for (const TrackElementRow& row : TrackElementTable())
        if (const std::string& name = input.textures[static_cast<std::size_t>(row.element)]; !name.empty())
            rows.push_back(std::string(row.key) + "=" + name);
    return rows;
}

std::vector<TrackOption> MakeTrackOptions()
{
    std::vector<TrackOption> options;
    options.push_back(Box("radius", "LIST", &TrackInput::radii, {"sugarak méterben, vesszővel elválasztva; jobbra\npozitív, balra negatív, 0: egyenes (0)", "radii in metres, comma-separated; right curves\npositive, left negative, 0: straight (0)"}));
    options.push_back(Box("pieces", "LIST", &TrackInput::pieces, {"a készlet elemei: bed, dike-left, dike-right,\ncutting-left, cutting-right, wall-left, wall-right,\nground; all: mind (bed,dike-left,dike-right)", "the pieces of the kit: bed, dike-left, dike-right,\ncutting-left, cutting-right, wall-left, wall-right,\nground; all: every piece (bed,dike-left,dike-right)"}));
    options.push_back(Box("block-length", "M", &TrackInput::blockLength, {"a pálya blokkhossza (25)", "the route's block length (25)"}));
    options.push_back(Box("tolerance", "MM", &TrackInput::tolerance, {"legfeljebb ennyire tér el egy él a valódi íven, 1-100\n(5)", "most an edge strays from the true curve, 1 to 100\n(5)"}));
    options.push_back(Box("overlap", "M", &TrackInput::overlap, {"minden elem ennyivel nyúlik túl a blokk végén (0)", "every piece runs on this far past the block's end\n(0)"}));
    options.push_back(Box("texture-width", "M", &TrackInput::textureWidth, {"egy kép ennyi méter keresztben; 0: minden felület\nsaját szélessége (0)", "one image per this many metres across; 0: each\nsurface's own width (0)"}));
    options.push_back(Box("formation", "M", &TrackInput::formation, {"F, a planum félszélessége (3)", "F, the formation's half-width (3)"}, {"Keresztmetszet (méter):", "Cross-section (metres):"}));
    options.push_back(Box("formation-depth", "M", &TrackInput::formationDepth, {"D, a planum mélysége a sínkorona alatt (0.6)", "D, the formation's depth below the rail top (0.6)"}));
    options.push_back(Box("slope", "S", &TrackInput::slope, {"S, minden rézsű vízszintese függőlegesenként (1.5)", "S, horizontal per vertical of every slope (1.5)"}));
    options.push_back(Box("apron", "M", &TrackInput::apron, {"A, sík sáv a rézsű túlsó szélén túl (2)", "A, a flat strip beyond a slope's far edge (2)"}));
    options.push_back(Box("ballast-width", "M", &TrackInput::ballastWidth, {"az ágyazat koronaszélessége a talpfák tetején (3.4)", "the ballast's top width at the sleepers' top (3.4)"}));
    options.push_back(Box("sleepers", "SPACING", &TrackInput::sleepers, {"talpfatávolság (2.6 x 0.26 x 0.16 m-es hasábok);\n0: nincs talpfa (0.65)", "sleeper spacing (boxes 2.6 x 0.26 x 0.16 m); 0: no\nsleepers (0.65)"}));
    options.push_back(SwitchOption<TrackInput>("no-rails", &TrackInput::rails, false, {"sínek nélkül", "leave the rails out"}));
    options.push_back(Box("gauge", "M", &TrackInput::gauge, {"a sínfejek belső oldalai közti távolság (1.435)", "between the inner faces of the rail heads (1.435)"}));
    options.push_back(Box("cant", "MM", &TrackInput::cant, {"túlemelés: a külső sín ennyivel magasabb; a talpfák,\nsínek és az ágyazat teteje a belső sín körül\nbillen, egyenesen nincs (0)", "the outer rail stands this much higher: sleepers,\nrails and the ballast's top are rolled about the\ninner rail; none on a straight piece (0)"}));
    options.push_back(Box("dike-height", "M", &TrackInput::dikeHeight, {"H, a töltés: a terep ennyivel a sínkorona alatt (3)", "H, embankment: the ground this far below the rail\ntop (3)"}));
    options.push_back({"ditch",
                       OptionForm::Value,
                       "WIDTH,DEPTH",
                       {"a bevágás árka 1:1 oldalakkal (1.2,0.4)", "a cutting's ditch with 1:1 sides (1.2,0.4)"},
                       {CaptionOf(&TrackInput::ditchWidth), CaptionOf(&TrackInput::ditchDepth)},
                       [](TrackInput& input, const std::vector<std::string>& values) {
                           const auto parts = SplitValues(values.front(), 2);
                           input.ditchWidth = parts[0];
                           input.ditchDepth = parts[1];
                       },
                       [](const TrackInput& input) {
                           return std::vector<std::string>{JoinValues({input.ditchWidth, input.ditchDepth})};
                       }});
    options.push_back(Box("cutting-height", "M", &TrackInput::cuttingHeight,
                          {"H, a bevágás: a terep ennyivel a sínkorona felett (3)",
                           "H, cutting: the ground this far above the rail top\n(3)"}));
    options.push_back(Box("wall-height", "M", &TrackInput::wallHeight,
                          {"H, a támfal teteje a sínkorona felett (3)", "H, a retaining wall's top above the rail top (3)"}));
    options.push_back(Box("wall-thickness", "M", &TrackInput::wallThickness,
                          {"T, a támfal fedőlapja (0.4)", "T, a retaining wall's coping (0.4)"}));
    options.push_back(Box("ground-width", "M", &TrackInput::groundWidth,
                          {"W, a terep sávja -W-től +W-ig (50)", "W, the ground strip from -W to +W (50)"}));
    options.push_back({"texture",
                       OptionForm::Repeated,
                       "ELEMENT=NAME",
                       {"egy elem textúrája, ismételhető; ELEM: ballast,\nsleeper, rail, grass, rock, wall "
                        "(zuzottko.bmp,\ntalpfa.bmp, sin.bmp, fu.bmp, szikla.bmp, tamfal.bmp)",
                        "one element's bitmap, repeatable; ELEMENT: ballast,\nsleeper, rail, grass, rock, wall "
                        "(ballast.bmp,\nsleeper.bmp, rail.bmp, grass.bmp, rock.bmp, wall.bmp)"},
                       {TrackTextureCaptionStart},
                       SetTextures,
                       TextureRows});
    options.push_back(WriteTexturesOption<TrackInput>(&TrackInput::writeTextures));
    options.push_back(FormatOption<TrackInput>());
    return options;
}

}  // namespace

const std::vector<TrackOption>& TrackOptions() { return BuiltOnce<MakeTrackOptions>(); }

}  // namespace kestrane
