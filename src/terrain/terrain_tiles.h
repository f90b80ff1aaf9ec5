// The simulator-ready layout of the terrain: the same grid, shaping,
// triangles, sidedness and cell colours as the cell-by-cell domb.b3d, written
// the way the simulator's object loader can take at any size.
//
// - One mesh section per distinct cell colour. Its vertices are the grid
//   nodes its cells use, each written once per section; its faces are the
//   two double-sided triangles of every such cell, corners in the same order
//   as in domb.b3d.
// - With a texture, each section loads it once and gives every node a
//   texture coordinate: u grows by one per row and v falls by one per
//   column, so that every cell shows the whole image once, turned as in
//   domb.b3d (the simulator repeats a texture outside 0 to 1).
// - The grid is cut along Z into tiles of at most kTileMostVertices vertices
//   and kTileMostSections sections (the loader's time grows with the square
//   of the sections, a face keeps its material number in 16 bits, and 65,534
//   vertices is the most one object should have), and of at most the tile
//   length asked for. One column of cells, at most 100 cells, always fits
//   these limits, so the grid never has to be cut along X.
//
// One tile is written as domb.b3d, with the coordinates of the cell layout.
// More tiles are domb_001.b3d, domb_002.b3d ... in order along Z, with the
// index domb_tiles.txt that names each tile and its origin: the tile's left
// front node (row 1, its first column) with the offset added, in whole
// millimetres. A tile's vertices are written relative to its origin, also
// in whole millimetres, so neighbouring tiles placed at their origins share
// their boundary nodes exactly.
#pragma once

#include "b3d/b3d_writer.h"
#include "terrain/terrain_state.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace kestrane {

inline constexpr std::size_t kTileMostVertices = 65534;
inline constexpr std::size_t kTileMostSections = 256;
inline constexpr const char* kTileIndexFileName = "domb_tiles.txt";

// A point in whole millimetres: a coordinate exactly as the files print it.
struct MillimetrePoint {
    long long x = 0;
    long long y = 0;
    long long z = 0;

    friend bool operator==(const MillimetrePoint&, const MillimetrePoint&) = default;
};

// One tile: every row of cells between the node columns firstColumn and
// lastColumn (the first column of the next tile).
struct TerrainTile {
    int firstColumn = 1;
    int lastColumn = 1;
    std::size_t sections = 0;  // distinct cell colours
    std::size_t vertices = 0;  // over all its sections
    MillimetrePoint origin;    // zero for a single tile
};

// Cuts the mesh into tiles along Z, each as long as the limits and the tile
// length allow. A grid without cells gives one tile without cells.
std::vector<TerrainTile> PlanTerrainTiles(const TerrainGeneratorState& state);

// "domb.b3d" when `count` is 1, else "domb_001.b3d" ... (at least three
// digits); another `stem` ("hill") names "hill.b3d", "hill_001.b3d" ...
// In another format the tiles take its ending ("domb_001.csv").
std::string TerrainTileFileName(int number, int count, const std::string& stem = "domb",
                                ObjectFormat format = ObjectFormat::B3d);
// The index of a set of tiles: "domb_tiles.txt", "hill_tiles.txt".
std::string TerrainTileIndexName(const std::string& stem = "domb");

// Writes the simulator layout into `folder`: domb.b3d, or the tiles and
// their index (`stem` names them in place of "domb"). Every file is written beside its target first; the set
// replaces the previous one only when it is complete, and then the tiles of
// an earlier, larger set are removed. Throws InputError for coordinates too
// large to write in millimetres, OutputError when a file cannot be written
// (the previous set then stays as it was).
TerrainResult WriteSimulatorLayout(const TerrainGeneratorState& state, UiLanguage language,
                                   const std::filesystem::path& folder, const std::string& stem = "domb",
                                   ObjectFormat format = ObjectFormat::B3d);

}  // namespace kestrane
