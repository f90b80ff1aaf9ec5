// The options of `kestrane terrain` and the members of a terrain preset:
// one row per input of the area builder.
#include "options/format_option.h"
#include "options/option_forms.h"
#include "options/option_table.h"
#include "options/option_values.h"
#include "options/texture_options.h"

#include "core/numbers.h"

namespace kestrane {

namespace {

using Text = std::string TerrainInput::*;

// Edit boxes typed together as one comma-separated value ("X,Z").
TerrainOption Boxes(const char* name, const char* placeholder, std::vector<Text> fields, LocalText help)
{
    std::vector<std::function<std::string(UiLanguage)>> captions;
    for (const Text field : fields)
        captions.push_back([field](UiLanguage language) { return TerrainFieldCaption(field, language); });
    return {name,
            OptionForm::Value,
            placeholder,
            help,
            std::move(captions),
            [fields](TerrainInput& input, const std::vector<std::string>& values) {
                const auto parts = SplitValues(values.front(), fields.size());
                for (std::size_t i = 0; i < fields.size(); ++i)
                    input.*fields[i] = parts[i];
            },
            [fields](const TerrainInput& input) {
                std::vector<std::string> parts;
                for (const Text field : fields)
                    parts.push_back(input.*field);
                return std::vector<std::string>{JoinValues(parts)};
            }};
}

// "X,Z,HEIGHT,WIDTH[,R,G,B]": one peak row.
TerrainPeakInput ParsePeakRow(const std::string& value)
{
    const auto parts = SplitValues(value, 4, 7);
    if (parts.size() != 4 && parts.size() != 7)
        throw OptionError("X,Z,MAGASSÁG,SZÉLESSÉG vagy X,Z,MAGASSÁG,SZÉLESSÉG,R,G,B kell, nem \"" + value + "\"",
                          "takes X,Z,HEIGHT,WIDTH or X,Z,HEIGHT,WIDTH,R,G,B, not \"" + value + "\"");
    TerrainPeakInput peak;
    peak.gridX = parts[0];
    peak.gridZ = parts[1];
    peak.height = parts[2];
    peak.width = parts[3];
    if (parts.size() == 7)
        peak.color = ParseColorValue(parts[4] + "," + parts[5] + "," + parts[6]);
    return peak;
}

std::string PeakRowValue(const TerrainPeakInput& peak)
{
    std::string value = JoinValues({peak.gridX, peak.gridZ, peak.height, peak.width});
    if (peak.color != TerrainPeakInput{}.color)
        value += "," + ColorValue(peak.color);
    return value;
}

bool IsUnusedRow(const TerrainPeakInput& peak)
{
    const TerrainPeakInput unused;
    return peak.gridX == unused.gridX && peak.gridZ == unused.gridZ && peak.height == unused.height &&
           peak.width == unused.width && peak.color == unused.color;
}

// In the order of TerrainLayout.
const std::vector<std::string>& LayoutNames()
{
    static const std::vector<std::string> names = {"cells", "simulator"};
    return names;
}

// A text of the heightmap line, typed as it is.
TerrainOption HeightmapText(const char* name, const char* placeholder, HeightmapField field,
                            std::string HeightmapInput::*text, LocalText help)
{
    TerrainOption option{name,
            OptionForm::Value,
            placeholder,
            help,
            {[field](UiLanguage language) { return HeightmapCaption(field, language); }},
            [text](TerrainInput& input, const std::vector<std::string>& values) { input.heightmap.*text = values.front(); },
            [text](const TerrainInput& input) { return std::vector<std::string>{input.heightmap.*text}; },
            [](const TerrainInput& input) { return input.heightmap.Enabled(); }};
    option.dependsOn = "heightmap";
    return option;
}

// "X,Z" of the origin boxes, in metres or in map coordinates.
void SetHeightmapOrigin(HeightmapInput& heightmap, const std::string& value, bool mapOrigin)
{
    const auto parts = SplitValues(value, 2);
    heightmap.originX = parts[0];
    heightmap.originZ = parts[1];
    heightmap.mapOrigin = mapOrigin;
}

// One of the two forms of the heightmap's origin: metres from the raster's
// south-west corner, or its map coordinates (`map`). A preset holds the
// form in use; the default origin is the metre form's.
TerrainOption HeightmapOrigin(const char* name, const char* placeholder, HeightmapField field, bool map, LocalText help)
{
    TerrainOption option{name,
            OptionForm::Value,
            placeholder,
            help,
            {[field](UiLanguage language) { return HeightmapCaption(field, language); }},
            [map](TerrainInput& input, const std::vector<std::string>& values) {
                SetHeightmapOrigin(input.heightmap, values.front(), map);
            },
            [map](const TerrainInput& input) {
                if (input.heightmap.mapOrigin != map)
                    return map ? std::vector<std::string>{}
                               : std::vector<std::string>{JoinValues({HeightmapInput{}.originX, HeightmapInput{}.originZ})};
                return std::vector<std::string>{JoinValues({input.heightmap.originX, input.heightmap.originZ})};
            },
            [](const TerrainInput& input) { return input.heightmap.Enabled(); }};
    option.dependsOn = "heightmap";
    // One origin: metres from the raster's corner or map coordinates.
    if (map) {
        option.excludes = {"heightmap-origin"};
        option.excludesWhy = {"méter a raszter sarkától vagy térképi koordináták",
                              "metres from the raster's corner or map coordinates"};
    }
    return option;
}

void AddHeightmapOptions(std::vector<TerrainOption>& options)
{
    options.push_back({"heightmap",
                       OptionForm::Value,
                       "FILE",
                       {"domborzati adatokból indul: bármely raszter, amit a\nGDAL olvas (GeoTIFF, ESRI ASCII "
                        "rács .asc, SRTM\n.hgt, 16 bites szürke PNG); magasságai bilineárisan\nminden "
                        "csomópontban, a lejtők és csúcsok előtt; az adat\nnélküli csomópontok a szomszédaik "
                        "átlagát kapják,\nszámuk az állapotszöveg után látható",
                        "start from elevation data: any raster GDAL reads\n(GeoTIFF, ESRI ASCII grid .asc, "
                        "SRTM .hgt,\n16-bit greyscale PNG); its heights, bilinear at\nevery node, come before "
                        "slopes and peaks; nodes without data under them take\nthe mean of their neighbours, "
                        "their number\nprinted after the status"},
                       {[](UiLanguage language) { return HeightmapCaption(HeightmapField::File, language); }},
                       [](TerrainInput& input, const std::vector<std::string>& values) {
                           if (values.front().empty())
                               throw OptionError("fájlnév kell", "needs a file name");
                           if (!ElevationDataReadable())
                               throw OptionError(kElevationDataNeedsLinux.hu, kElevationDataNeedsLinux.en);
                           input.heightmap.file = values.front();
                       },
                       [](const TerrainInput& input) { return std::vector<std::string>{input.heightmap.file}; }});
    options.push_back(HeightmapOrigin("heightmap-origin", "X,Z", HeightmapField::Origin, false,
                                      {"az első csomópont, méter keletre és északra a\nraszter délnyugati sarkától "
                                       "(0,0); X keletre fut\naz oszlopok mentén, Z északra a sorokon felfelé",
                                       "the first node, metres east and north of the\nraster's south-west corner "
                                       "(0,0); X runs east\nalong the columns, Z north up the rows"}));
    options.push_back(HeightmapOrigin("heightmap-map-origin", "E,N", HeightmapField::MapOrigin, true,
                                      {"az első csomópont a raszter saját térképi\nkoordinátáiban: keleti és északi "
                                       "koordináta\n(vetületi raszter), vagy hosszúság és szélesség\nfokban "
                                       "(földrajzi raszter); a --heightmap-origin\nhelyett",
                                       "the first node in the raster's own map\ncoordinates: easting and northing "
                                       "(a projected\nraster), or longitude and latitude in degrees (a\ngeographic "
                                       "raster); instead of --heightmap-origin"}));
    options.push_back(HeightmapText("height-scale", "K", HeightmapField::Scale, &HeightmapInput::scale,
                                    {"raszterérték méterre (1)", "raster value to metres (1)"}));
    options.push_back(HeightmapText("height-offset", "M", HeightmapField::Offset, &HeightmapInput::offset,
                                    {"a szorzás után hozzáadott méter (0)", "metres added after the scale (0)"}));
    options.push_back(HeightmapText("pixel-size", "M", HeightmapField::PixelSize, &HeightmapInput::pixelSize,
                                    {"méter rasztercellánként; alapértelmezés: a fájl\nsajátja (egy sima képnek "
                                     "nincs: akkor kötelező)",
                                     "metres per raster cell; default: the file's own\n(a plain image has none: "
                                     "then required)"}));
}

std::vector<TerrainOption> MakeTerrainOptions()
{
    std::vector<TerrainOption> options;
    options.push_back(Boxes("area", "X,Z", {&TerrainInput::areaX, &TerrainInput::areaZ},
                            {"a terület kiterjedése méterben (25,25)", "extent in metres (25,25)"}));
    options.push_back(Boxes("resolution", "X,Z", {&TerrainInput::resolutionX, &TerrainInput::resolutionZ},
                            {"rácskockák száma X és Z irányban, kerekítve legfeljebb\n100 és 1000 (25,25)",
                             "cells along X and Z, at most 100 and 1000 when\nrounded (25,25)"}));
    options.push_back(Boxes("offset", "X,Y,Z", {&TerrainInput::offsetX, &TerrainInput::offsetY, &TerrainInput::offsetZ},
                            {"minden csúcsponthoz hozzáadva, méter (0,0,0)",
                             "added to every vertex, metres (0,0,0)"}));
    options.push_back(Boxes("slope", "X,Z", {&TerrainInput::slopeX, &TerrainInput::slopeZ},
                            {"teljes emelkedés a terület mentén, méter (0,0)",
                             "total rise across the extent, metres (0,0)"}));
    options.push_back(Boxes("curve", "X,Z1,Z2", {&TerrainInput::curveX, &TerrainInput::curveZ1, &TerrainInput::curveZ2},
                            {"a fordulópont rácskockában az X középtől, az első\n"
                             "és az utolsó hajlított oszlop (0,0,0: nincs kanyar)",
                             "turning point in cells from the X middle, first\n"
                             "and last bent column (0,0,0: no curve)"}));
    options.push_back(TextOption<TerrainInput>(
        "texture", "NAME", &TerrainInput::texture,
        {"minden rácskocka textúrája (a.bmp; üres: nincs)", "texture of every cell (a.bmp; empty: none)"},
        {[](UiLanguage language) { return TerrainFieldCaption(&TerrainInput::texture, language); }}));
    options.push_back({"color",
                       OptionForm::Value,
                       "R,G,B",
                       {"a felület alapszíne (40,140,40)", "base colour of the surface (40,140,40)"},
                       {},
                       [](TerrainInput& input, const std::vector<std::string>& values) {
                           input.baseColor = ParseColorValue(values.front());
                       },
                       [](const TerrainInput& input) { return std::vector<std::string>{ColorValue(input.baseColor)}; }});
    options.push_back(SwitchOption<TerrainInput>("no-color", &TerrainInput::useColor, false,
                                                 {"nincs színsor rácskockánként", "no colour line per cell"}));
    options.push_back(
        {"peak",
         OptionForm::Repeated,
         "X,Z,HEIGHT,WIDTH[,R,G,B]",
         {"csúcs (negatív magasság: völgy) az X,Z csomópont\n"
          "körül (rácskockában számolva, 1: az origó sarka;\n"
          "nem méter), WIDTH rácskocka széles, R,G,B felé\n"
          "színezve (40,140,40); legfeljebb nyolc, a megadás\n"
          "sorrendjében",
          "a peak (negative height: a valley) centred on\n"
          "node X,Z (counted in grid cells, 1 at the origin\n"
          "corner; not metres), WIDTH cells wide, tinting\n"
          "toward R,G,B (40,140,40); up to eight, in the order\n"
          "given"},
         {TerrainPeakCaptionStart},
         [](TerrainInput& input, const std::vector<std::string>& values) {
             if (values.size() > input.peaks.size()) {
                 const std::string most = std::to_string(input.peaks.size());
                 throw OptionError("legfeljebb " + most + " csúcs adható meg", "can be given at most " + most + " times");
             }
             std::array<TerrainPeakInput, 8> peaks{};
             for (std::size_t i = 0; i < values.size(); ++i)
                 peaks[i] = ParsePeakRow(values[i]);
             input.peaks = peaks;
         },
         [](const TerrainInput& input) {
             std::size_t used = input.peaks.size();
             while (used > 0 && IsUnusedRow(input.peaks[used - 1]))
                 --used;
             std::vector<std::string> rows;
             for (std::size_t i = 0; i < used; ++i)
                 rows.push_back(PeakRowValue(input.peaks[i]));
             return rows;
         }});
    options.push_back(NameOption("layout", "cells|simulator", &TerrainInput::layout, LayoutNames,
                                 {"cells: rácskockánként egy hálószakasz, domb.b3d\n(alapértelmezés); simulator: "
                                  "cellaszínenként egy\nszakasz közös csúcspontokkal, a szimulátor által\ngyorsan "
                                  "betöltött csempékre vágva (domb.b3d, vagy\ndomb_001.b3d ... és a jegyzékük "
                                  "domb_tiles.txt)",
                                  "cells: one mesh section per cell, domb.b3d (the\ndefault); simulator: one section "
                                  "per cell colour\nwith shared vertices, cut into tiles that the\nsimulator loads "
                                  "quickly (domb.b3d, or\ndomb_001.b3d ... and their index domb_tiles.txt)"}));
    options.push_back({"tile-length",
                       OptionForm::Value,
                       "METRES",
                       {"simulator elrendezés: egy csempe legfeljebb ilyen\nhosszú Z irányban, pl. egy "
                        "háztömb (25); 0: nincs\nhossz (0)",
                        "simulator layout: each tile at most this long\nalong Z, e.g. a block (25); 0: no "
                        "length (0)"},
                       {[](UiLanguage language) { return TerrainFieldCaption(&TerrainInput::tileLength, language); }},
                       [](TerrainInput& input, const std::vector<std::string>& values) {
                           const std::string& value = values.front();
                           const auto metres = ParseReal(value);
                           if (!metres || *metres < 0.0 || value.find_first_not_of(' ') == std::string::npos)
                               throw OptionError("0 vagy több méter lehet, nem \"" + value + "\"",
                                                 "must be 0 or more metres, not \"" + value + "\"");
                           input.tileLength = value;
                       },
                       // Only the simulator layout takes a tile length.
                       [](const TerrainInput& input) {
                           return input.layout == TerrainLayout::Simulator ? std::vector<std::string>{input.tileLength}
                                                                           : std::vector<std::string>{};
                       },
                       [](const TerrainInput& input) { return input.layout == TerrainLayout::Simulator; }});
    options.back().dependsOn = "layout";
    options.back().requiredValue = "simulator";
    options.push_back({"two-sided",
                       OptionForm::Switch,
                       "",
                       {"simulator elrendezés: kétoldalú lapok (Face2) az\nalapértelmezett, felülről látható "
                        "egyoldalú talaj\nhelyett (kisebb szakaszokkal, lassabb betöltés)",
                        "simulator layout: two-sided faces (Face2) in\nplace of the default one-sided ground seen "
                        "from\nabove (in smaller sections; loads slower)"},
                       {},
                       [](TerrainInput& input, const std::vector<std::string>& values) {
                           input.twoSided = ParseSwitch(values.front());
                       },
                       // Only the simulator layout has one-sided ground to keep two-sided.
                       [](const TerrainInput& input) {
                           return input.layout == TerrainLayout::Simulator && input.twoSided
                                      ? std::vector<std::string>{SwitchValue(true)}
                                      : std::vector<std::string>{};
                       },
                       [](const TerrainInput& input) { return input.layout == TerrainLayout::Simulator; }});
    options.back().dependsOn = "layout";
    options.back().requiredValue = "simulator";
    AddHeightmapOptions(options);
    options.push_back(WriteTexturesOption(&TerrainInput::writeTextures));
    options.push_back(FormatOption<TerrainInput>());
    return options;
}

}  // namespace

const std::vector<TerrainOption>& TerrainOptions() { return BuiltOnce<MakeTerrainOptions>(); }

}  // namespace kestrane
