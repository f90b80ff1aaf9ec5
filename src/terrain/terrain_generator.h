// The area builder: terrain parameters, the node grid, its shaping by peaks
// and a curve, and the terrain file domb.b3d.
#pragma once

#include "b3d/object_format.h"
#include "core/errors.h"
#include "core/types.h"
#include "heightmap/heightmap.h"

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kestrane {

inline constexpr const char* kTerrainFileName = "domb.b3d";

// How the surface is written.
enum class TerrainLayout {
    Cells,      // domb.b3d with one mesh section per cell
    Simulator,  // one section per cell colour with shared vertices, cut
                // into tiles within the simulator's limits (terrain_tiles.h)
};

// One peak row of the area builder window as it holds it: four edit texts
// and the colour of its swatch.
struct TerrainPeakInput {
    std::string gridX = "0";   // d k1
    std::string gridZ = "0";   // d k2
    std::string height = "0";  // d k3
    std::string width = "0";   // d k4
    ColorRgb color{40, 140, 40};
};

// The area builder window's inputs exactly as its controls hold them
// (metres as text, the check box, scroll-bar positions); the defaults are
// the window's.
struct TerrainInput {
    std::string areaX = "25", areaZ = "25";                   // dombxedit, dombzedit
    std::string resolutionX = "25", resolutionZ = "25";       // xbontEdit, zbontedit
    std::string offsetX = "0", offsetY = "0", offsetZ = "0";  // OffsXEdit, OffsYEdit, OffsZEdit
    std::string slopeX = "0", slopeZ = "0";                   // Lejtxedit, Lejtzedit
    std::string curveX = "0", curveZ1 = "0", curveZ2 = "0";   // KanyarXedit, KanyarZ1edit, KanyarZ2edit
    std::string texture = "a.bmp";   // TexturaEdit; empty: no texture blocks
    bool useColor = true;            // fszinchk: a "Color " line per cell
    ColorRgb baseColor{40, 140, 40}; // rtScrollBar, gtScrollBar, btScrollBar
    std::array<TerrainPeakInput, 8> peaks;
    TerrainLayout layout = TerrainLayout::Cells;  // szimchk checked: Simulator
    std::string tileLength = "0";  // csempeEdit: metres along Z; 0: no length
    bool twoSided = false;           // simulator layout: Face2 in place of one-sided ground
    HeightmapInput heightmap;        // empty file: no heightmap
    // "Write textures": the starter bitmaps beside the object (the front
    // ends write them after the generation).
    bool writeTextures = false;
    ObjectFormat format = ObjectFormat::B3d;  // the files written (object_format.h)
};

// The window caption of a typed field ("Alapterület X" / "Area X"), as a
// refusal names it; empty for a member that is not a typed field.
std::string TerrainFieldCaption(const std::string TerrainInput::*text, UiLanguage language);
// How the captions of the peak rows' fields start: "Csúcs " / "Peak "
// ("Csúcs 3, X pozíció").
std::string TerrainPeakCaptionStart(UiLanguage language);

struct TerrainResult {
    std::filesystem::path path;  // where domb.b3d (or the tile index) was written
    std::string status;          // the status text of a finished generation
    // An object above the simulator's limits; the file is written all the same.
    std::vector<GenerationWarning> warnings;
    int tiles = 1;               // simulator layout: the number of tile files
    std::string heightmapReport; // with a heightmap: its nodes and the ones filled
    double loadSeconds = -1.0;   // simulator layout: the loader's expected time for the set; < 0: none
};

// "Domb.B3d fájl generálása kész" / "Domb.B3d file generating successfull".
std::string TerrainFinishedStatus(UiLanguage language);

// The caption of the texture name field ("Terep textúrája" / "Texture
// name"), the field an InputError names when the name is refused.
std::string TerrainTextureCaption(UiLanguage language);

class TerrainGeneratorState;  // TerrainParams and the TerrainGrid

// Owns the TerrainGrid for a whole run: it is cleared once, when the
// generator is made, and not between generations. Not copied: its state
// is its own.
class TerrainGenerator {
public:
    TerrainGenerator();
    ~TerrainGenerator();

    // Reads the inputs (throws InputError naming the field before anything
    // is opened), shapes the grid and writes domb.b3d into `folder` (throws
    // OutputError; the previous file then stays as it was). A `fileName`
    // replaces domb.b3d. A heightmap is read after the inputs, reporting its
    // progress to `progress`. The simulator layout reports each tile written
    // to `tileProgress` (tiles written, tiles in all), which may stop it by
    // answering false (see WriteSimulatorLayout).
    TerrainResult Generate(const TerrainInput& input, UiLanguage language,
                           const std::filesystem::path& folder = {}, const std::string& fileName = {},
                           const HeightmapProgress& progress = {},
                           const std::function<bool(int written, int count)>& tileProgress = {});

    TerrainGeneratorState& state() { return *state_; }
    const TerrainGeneratorState& state() const { return *state_; }

private:
    std::unique_ptr<TerrainGeneratorState> state_;
};

}  // namespace kestrane
