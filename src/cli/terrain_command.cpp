// kestrane terrain: the area builder's generate button on the command line.
#include "cli/cli.h"

#include "core/errors.h"
#include "core/numbers.h"
#include "terrain/terrain_generator.h"

#include <chrono>

namespace kestrane::cli {

namespace {

const char* const kTerrainHelp =
    "Usage: kestrane terrain [OPTIONS]\n"
    "\n"
    "Writes a terrain surface, domb.b3d, into the current folder and prints the\n"
    "status of the finished generation. Numbers are written as in the area\n"
    "builder window's edit boxes (metres, cells, \".\" as decimal point).\n"
    "\n"
    "  -C, --dir DIR           write into DIR instead of the current folder\n"
    "  --lang hu|en            language of the file; default: lang.cfg here\n"
    "                          (missing: hu; exactly \"hu\": hu; else en)\n"
    "  --area X,Z              extent in metres (25,25)\n"
    "  --resolution X,Z        cells along X and Z, at most 100 and 1000 when\n"
    "                          rounded (25,25)\n"
    "  --offset X,Y,Z          added to every vertex, metres (0,0,0)\n"
    "  --slope X,Z             total rise across the extent, metres (0,0)\n"
    "  --curve X,Z1,Z2         turning point in cells from the X middle, first\n"
    "                          and last bent column (0,0,0: no curve)\n"
    "  --texture NAME          texture of every cell (a.bmp; empty: none)\n"
    "  --color R,G,B           base colour of the surface (40,140,40)\n"
    "  --no-color              no colour line per cell\n"
    "  --peak X,Z,HEIGHT,WIDTH[,R,G,B]\n"
    "                          a peak (negative height: a valley) centred on\n"
    "                          node X,Z, WIDTH cells wide, tinting toward R,G,B\n"
    "                          (40,140,40); up to eight, in the order given\n"
    "  --layout cells|simulator\n"
    "                          cells: one mesh section per cell, domb.b3d (the\n"
    "                          default); simulator: one section per cell colour\n"
    "                          with shared vertices, cut into tiles that the\n"
    "                          simulator loads quickly (domb.b3d, or\n"
    "                          domb_001.b3d ... and their index domb_tiles.txt)\n"
    "  --tile-length METRES    simulator layout: each tile at most this long\n"
    "                          along Z, e.g. a block (25); 0: no length (0)\n"
    "  --heightmap FILE        start from elevation data: any raster GDAL reads\n"
    "                          (GeoTIFF, ESRI ASCII grid .asc, SRTM .hgt,\n"
    "                          16-bit greyscale PNG); its heights, bilinear at\n"
    "                          every node, come before slopes and peaks\n"
    "  --heightmap-origin X,Z  the first node, metres east and north of the\n"
    "                          raster's south-west corner (0,0); X runs east\n"
    "                          along the columns, Z north up the rows\n"
    "  --height-scale K        raster value to metres (1)\n"
    "  --height-offset M       metres added after the scale (0)\n"
    "  --pixel-size M          metres per raster cell; default: the file's own\n"
    "                          (a plain image has none: then required)\n"
    "  --help                  show this text\n"
    "\n"
    "Nodes with no data under them, or outside the raster, take the mean of\n"
    "their nearest neighbours; their number is printed after the status.\n"
    "\n"
    "Exit codes: 0 success, 1 input/output failure, 2 bad input (nothing is\n"
    "written then).\n";

ColorRgb ToColor(const Rgb& rgb)
{
    return {static_cast<std::uint8_t>(rgb.r), static_cast<std::uint8_t>(rgb.g), static_cast<std::uint8_t>(rgb.b)};
}

TerrainPeakInput ParsePeak(const std::string& option, const std::string& value)
{
    const auto parts = SplitList(option, value, 4, 7);
    if (parts.size() != 4 && parts.size() != 7)
        throw UsageError(option + " takes X,Z,HEIGHT,WIDTH or X,Z,HEIGHT,WIDTH,R,G,B, not \"" + value + "\"");
    TerrainPeakInput peak;
    peak.gridX = parts[0];
    peak.gridZ = parts[1];
    peak.height = parts[2];
    peak.width = parts[3];
    if (parts.size() == 7)
        peak.color = ToColor(ParseRgb(option, parts[4] + "," + parts[5] + "," + parts[6]));
    return peak;
}

// The option of each heightmap field, for refusals on the command line.
struct HeightmapOption {
    HeightmapField field;
    const char* option;
};
constexpr HeightmapOption kHeightmapOptions[] = {
    {HeightmapField::File, "--heightmap"},          {HeightmapField::Origin, "--heightmap-origin"},
    {HeightmapField::Scale, "--height-scale"},      {HeightmapField::Offset, "--height-offset"},
    {HeightmapField::PixelSize, "--pixel-size"},
};

// Prints the progress of a long heightmap read in tenths, once it has
// taken a second.
class ReadProgress {
public:
    explicit ReadProgress(std::ostream& err) : err_(err), start_(std::chrono::steady_clock::now()) {}
    void operator()(double done)
    {
        const int tenth = static_cast<int>(done * 10);
        if (tenth <= shown_ || std::chrono::steady_clock::now() - start_ < std::chrono::seconds(1))
            return;
        shown_ = tenth;
        err_ << "kestrane terrain: reading the heightmap, " << tenth * 10 << "%\n" << std::flush;
    }

private:
    std::ostream& err_;
    std::chrono::steady_clock::time_point start_;
    int shown_ = 0;
};

}  // namespace

int RunTerrain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    TerrainInput input;
    CommonOptions common;
    std::size_t peaks = 0;
    bool tileLengthGiven = false;

    try {
        ArgReader reader(args);
        std::string name;
        while (reader.Next(name)) {
            if (name == "--help" || name == "-h") {
                out << kTerrainHelp;
                return kExitOk;
            }
            if (common.Take(name, reader))
                continue;
            if (name == "--area") {
                const auto parts = SplitList(name, reader.Value(), 2);
                input.areaX = parts[0];
                input.areaZ = parts[1];
            } else if (name == "--resolution") {
                const auto parts = SplitList(name, reader.Value(), 2);
                input.resolutionX = parts[0];
                input.resolutionZ = parts[1];
            } else if (name == "--offset") {
                const auto parts = SplitList(name, reader.Value(), 3);
                input.offsetX = parts[0];
                input.offsetY = parts[1];
                input.offsetZ = parts[2];
            } else if (name == "--slope") {
                const auto parts = SplitList(name, reader.Value(), 2);
                input.slopeX = parts[0];
                input.slopeZ = parts[1];
            } else if (name == "--curve") {
                const auto parts = SplitList(name, reader.Value(), 3);
                input.curveX = parts[0];
                input.curveZ1 = parts[1];
                input.curveZ2 = parts[2];
            } else if (name == "--texture") {
                input.texture = reader.Value();
            } else if (name == "--color") {
                input.baseColor = ToColor(ParseRgb(name, reader.Value()));
            } else if (name == "--no-color") {
                input.useColor = false;
            } else if (name == "--layout") {
                const std::string layout = reader.Value();
                if (layout == "cells")
                    input.layout = TerrainLayout::Cells;
                else if (layout == "simulator")
                    input.layout = TerrainLayout::Simulator;
                else
                    throw UsageError("--layout must be cells or simulator, not \"" + layout + "\"");
            } else if (name == "--tile-length") {
                input.tileLength = reader.Value();
                const auto metres = ParseReal(input.tileLength);
                if (!metres || *metres < 0.0 || input.tileLength.find_first_not_of(" ") == std::string::npos)
                    throw UsageError("--tile-length must be 0 or more metres, not \"" + input.tileLength + "\"");
                tileLengthGiven = true;
            } else if (name == "--heightmap") {
                input.heightmap.file = reader.Value();
                if (input.heightmap.file.empty())
                    throw UsageError("--heightmap needs a file name");
            } else if (name == "--heightmap-origin") {
                const auto parts = SplitList(name, reader.Value(), 2);
                input.heightmap.originX = parts[0];
                input.heightmap.originZ = parts[1];
            } else if (name == "--height-scale") {
                input.heightmap.scale = reader.Value();
            } else if (name == "--height-offset") {
                input.heightmap.offset = reader.Value();
            } else if (name == "--pixel-size") {
                input.heightmap.pixelSize = reader.Value();
            } else if (name == "--peak") {
                if (peaks == input.peaks.size())
                    throw UsageError("--peak can be given at most " + std::to_string(input.peaks.size()) + " times");
                input.peaks[peaks++] = ParsePeak(name, reader.Value());
            } else {
                throw UsageError("unknown option \"" + name + "\" (see kestrane terrain --help)");
            }
        }
        if (tileLengthGiven && input.layout != TerrainLayout::Simulator)
            throw UsageError("--tile-length needs --layout simulator");
    } catch (const UsageError& e) {
        err << "kestrane terrain: " << e.what() << "\n";
        return kExitBadInput;
    }

    const UiLanguage language = common.Language();
    std::vector<FieldOption> options = {{TerrainTextureCaption(language), "--texture"}};
    for (const HeightmapOption& entry : kHeightmapOptions)
        options.push_back({HeightmapCaption(entry.field, language), entry.option});
    return ReportGeneration(
        "terrain", out, err,
        [&] {
            TerrainGenerator generator;
            ReadProgress progress(err);
            const TerrainResult result =
                generator.Generate(input, language, common.folder, [&progress](double done) { progress(done); });
            return result.heightmapReport.empty() ? result.status : result.status + "\n" + result.heightmapReport;
        },
        options);
}

}  // namespace kestrane::cli
