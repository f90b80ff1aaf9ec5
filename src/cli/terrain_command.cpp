// kestrane terrain: the area builder's generate button on the command line.
#include "cli/cli.h"

#include "core/errors.h"
#include "core/numbers.h"
#include "terrain/terrain_generator.h"

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
    "  --help                  show this text\n"
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
    return ReportGeneration(
        "terrain", out, err,
        [&] {
            TerrainGenerator generator;
            return generator.Generate(input, language, common.folder).status;
        },
        {{TerrainTextureCaption(language), "--texture"}});
}

}  // namespace kestrane::cli
