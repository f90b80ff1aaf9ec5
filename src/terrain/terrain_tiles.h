// The simulator-ready layout of the terrain: the same grid, shaping,
// triangles and cell colours as the cell-by-cell domb.b3d, written the way
// the simulator's object loader can take at any size.
//
// - The cells of one colour form one mesh section, unless the colour has
//   more cells in the grid than a block of SectionBlockOf(): then its cells
//   in each block of the grid (blocks counted from the first row and
//   column) form a section. The loader compares every face of a section
//   with each earlier one, and copies the whole object so far for every
//   section, so both large sections and many sections cost (README: the
//   load-time model). A section's vertices are the grid nodes its faces
//   use, each written once per section.
// - Each triangle is written once, one-sided ("Face"), its corners turned so
//   that it is seen from above (the surface of a height field); with
//   twoSided the triangles are the cell layout's "Face2" lines, corners in
//   the same order, in the smaller sections that two-sided faces need.
// - A cell whose corners lie in one plane and make a convex quad (QuadOf)
//   is one face of four corners in place of its two triangles: the loader
//   spends most of its time per face line, whatever its corners, and cuts
//   the face into the cell's same two triangles (a fan from its first
//   corner, P0, across the diagonal P0-P2).
// - A block of such cells of one section is one face of its four outer
//   corners when those make the same flat, convex quad and every node lies
//   where the block's rows and columns cut it evenly (within
//   kBlockMostOffLattice): the same surface. With a texture the block must
//   be a parallelogram, so that the texture coordinates, whole numbers per
//   row and column, run across it as across each of its cells. In a bend,
//   only cells of one column between two straight rows join.
// - With a texture, each section loads it once and gives every node a
//   texture coordinate: u grows by one per row and v falls by one per
//   column, so that every cell shows the whole image once, turned as in
//   domb.b3d (the simulator repeats a texture outside 0 to 1).
// - The grid is cut along Z into tiles of at most kTileMostVertices vertices
//   and kTileMostSections sections (65,534 vertices is the most one object
//   should have; a face keeps its material number in 16 bits), and of at
//   most the tile length asked for. One column of cells, at most 100 cells,
//   always fits these limits, so the grid never has to be cut along X.
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
#include <cstdint>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kestrane {

inline constexpr std::size_t kTileMostVertices = 65534;
inline constexpr std::size_t kTileMostSections = 256;
inline constexpr const char* kTileIndexFileName = "domb_tiles.txt";

// The most faces (triangles) of one section, one-sided and two-sided: where
// the loader's total time was least (README: the load-time model).
inline constexpr std::size_t kSectionMostFaces = 1000;
inline constexpr std::size_t kSectionMostFacesTwoSided = 200;

// The block of cells one section covers at most: `rows` along X by
// `columns` along Z.
struct SectionBlock {
    int rows = 1;
    int columns = 1;
};

// The most nearly square block of at most the section's faces (two per
// cell) for the grid's rows and the sidedness asked for.
SectionBlock SectionBlockOf(const TerrainGeneratorState& state);

// A point in whole millimetres: a coordinate exactly as the files print it.
struct MillimetrePoint {
    long long x = 0;
    long long y = 0;
    long long z = 0;

    friend bool operator==(const MillimetrePoint&, const MillimetrePoint&) = default;
};

// Whether a cell's corners P0, P1, P2, P3 (in whole millimetres, as
// written) can be one face: they must make a convex quad in plan and lie
// in one plane within kQuadMostOffPlane millimetres (P3 from the plane of
// P0, P1, P2 and P1 from that of P0, P2, P3). Up: its corners in that
// order are seen from above; Down: from below.
enum class CellQuad : std::uint8_t { None, Up, Down };
inline constexpr double kQuadMostOffPlane = 1.0;
// How far (millimetres, along each axis) a node of a block written as one
// face may lie from the block's lattice: the rounding of the block's
// corners and of the node itself.
inline constexpr long long kBlockMostOffLattice = 1;
CellQuad QuadOf(const MillimetrePoint& p0, const MillimetrePoint& p1, const MillimetrePoint& p2,
                const MillimetrePoint& p3);

// One tile: every row of cells between the node columns firstColumn and
// lastColumn (the first column of the next tile).
struct TerrainTile {
    int firstColumn = 1;
    int lastColumn = 1;
    std::size_t sections = 0;  // a section per cell colour of each block
    std::size_t vertices = 0;  // over all its sections, at most (every node of its cells)
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
//
// `progress` is told on the calling thread after each tile (tiles written,
// tiles in all); when it answers false the writing stops, the files written
// so far are dropped, the previous ones stay as they were, and
// GenerationCancelled is thrown.
using TileProgress = std::function<bool(int written, int count)>;
class GenerationCancelled : public std::runtime_error {
public:
    GenerationCancelled() : std::runtime_error("the generation was cancelled") {}
};
TerrainResult WriteSimulatorLayout(const TerrainGeneratorState& state, UiLanguage language,
                                   const std::filesystem::path& folder, const std::string& stem = "domb",
                                   const TileProgress& progress = {}, ObjectFormat format = ObjectFormat::B3d);

// The tiles' sections are made on worker threads, one for each core but
// the calling thread's (at most three), and on the calling thread, which
// also opens and finishes the files in order. For tests: `workers` threads
// (0: the calling thread alone); below 0, as the machine's cores allow.
void SetTileWorkersForTesting(int workers);

}  // namespace kestrane
