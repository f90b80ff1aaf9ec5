// The area builder's module state: the parameters of one generation, the
// eight peak rows and the node grid, with the steps that fill, shape and
// write it.
#pragma once

#include "b3d/b3d_writer.h"
#include "b3d/simulator_limits.h"
#include "core/types.h"
#include "terrain/terrain_generator.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestrane {

// The grid: 102 rows along X (0 to 101), each of 1002 nodes along Z (0 to
// 1001). Row 0 and column 0 are never part of the mesh, so a generation
// holds at most 100 by 1000 cells.
inline constexpr int kGridRows = 102;
inline constexpr int kGridColumns = 1002;
inline constexpr int kMaxCellsX = kGridRows - 2;
inline constexpr int kMaxCellsZ = kGridColumns - 2;
inline constexpr int kPeakCount = 8;

// One peak or valley (a row of the window's peak table).
struct TerrainPeak {
    double gridX = 0.0;   // centre, node number along X (1 at the origin)
    double height = 0.0;  // metres added at the centre; negative: a valley
    double gridZ = 0.0;   // centre, node number along Z
    double width = 0.0;   // radius of influence in cells; 0 or less: off
    ColorRgb color{40, 140, 40};
};

// Every input of one generation, read from the window's controls.
struct TerrainParams {
    Vec3 area;        // x and z: extent in metres
    Vec3 resolution;  // x and z: cells along X and Z, as typed
    Vec3 offset;      // added to every written vertex
    Vec3 slope;       // x and z: total rise across the extent
    double curveX = 0.0;   // turning point, cells from the X middle; 0: no curve
    double curveZ1 = 0.0;  // column where the curve starts
    double curveZ2 = 0.0;  // column where the curve ends
    std::string texture;   // empty: no texture blocks
    bool useColor = true;  // fszinchk: a colour line per cell
    ColorRgb baseColor{40, 140, 40};
    TerrainLayout layout = TerrainLayout::Cells;
    double tileLength = 0.0;  // simulator layout: metres along Z; 0: no length
    bool twoSided = false;    // simulator layout: Face2 (else one-sided faces seen from above)
    std::optional<HeightmapParams> heightmap;  // none: the surface starts flat
};

// Values of one generation derived from TerrainParams.
struct TerrainDerived {
    // The last row and column of the mesh (rx + 1, rz + 1), never beyond
    // the grid.
    int LastRow() const { return rx + 1 < kGridRows - 1 ? rx + 1 : kGridRows - 1; }
    int LastColumn() const { return rz + 1 < kGridColumns - 1 ? rz + 1 : kGridColumns - 1; }

    int rx = 0;  // resolution.x rounded (ties to even); values below -2 kept as -2
    int rz = 0;
    double cellX = 0.0;  // area / resolution (unrounded)
    double cellZ = 0.0;
    double stepX = 0.0;  // slope / resolution (unrounded)
    double stepZ = 0.0;
};

struct GridNode {
    double x = 0.0;  // metres, before the offset
    double y = 0.0;
    double z = 0.0;
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

using TerrainGrid = std::array<std::array<GridNode, kGridColumns>, kGridRows>;

// The area builder's state for a whole run. The grid is cleared when the
// state is made and never again; every generation overwrites the nodes it
// uses and leaves the others as an earlier generation left them.
class TerrainGeneratorState {
public:
    TerrainGeneratorState();

    TerrainParams params;
    std::array<TerrainPeak, kPeakCount> peaks;
    TerrainDerived derived;
    // The heightmap's heights of rows 1 to LastRow(), columns 1 to
    // LastColumn(), row by row; empty without a heightmap.
    std::vector<double> heightmapHeights;

    // Row 0 .. kGridRows-1 along X, column 0 .. kGridColumns-1 along Z.
    GridNode& node(int i, int j) { return (*grid_)[i][j]; }
    const GridNode& node(int i, int j) const { return (*grid_)[i][j]; }

private:
    // About 3 MB, too large for the stack; cleared by taking zeroed memory
    // from the system (AllocateLarge), whose pages are only touched where a
    // generation uses them.
    struct FreeGrid {
        void operator()(TerrainGrid* grid) const;
    };
    std::unique_ptr<TerrainGrid, FreeGrid> grid_;
};

// Reads the window's inputs into params, peaks (positions and colours) and
// derived. Throws InputError, naming the field in `language`, for a
// malformed number, a resolution of 0, a resolution whose rounded value
// does not fit the grid, a texture name that cannot be written, and a curve
// around an area 0 wide (its radius would be 0); the state is then left as
// it was.
void ReadTerrainInput(const TerrainInput& input, UiLanguage language, TerrainGeneratorState& state);

// The rows of the grid a shaping step works on, first and last included.
// Every step changes each node of a row by itself, so two bands of rows can
// be shaped at once.
struct GridRows {
    int first = 0;
    int last = kGridRows - 1;
};

// Sets rows 1 to rx+1, columns 1 to rz+1 to the flat, sloped surface in the
// base colour.
void FillGrid(TerrainGeneratorState& state, GridRows rows = {});

// The nodes of rows 1 to LastRow(), columns 1 to LastColumn(), where the
// heightmap is sampled (none when either count is below 1).
NodeLattice HeightmapLattice(const TerrainDerived& derived);

// Adds the heightmap's heights to rows 1 to LastRow(), columns 1 to
// LastColumn(); nothing without a heightmap.
void AddHeightmap(TerrainGeneratorState& state, GridRows rows = {});

// Raises (or sinks) peak k (1 to 8) into the grid, and tints it toward the
// peak's colour. A row whose width is not greater than 0 is off: nothing
// changes.
void ApplyPeak(TerrainGeneratorState& state, int k, GridRows rows = {});

// Whether the curve applies: curveZ1 > 0, curveZ2 > 0, curveX != 0,
// curveZ2 > curveZ1 and rz >= curveZ2.
bool CurveApplies(const TerrainParams& params, const TerrainDerived& derived);
inline bool CurveApplies(const TerrainGeneratorState& state) { return CurveApplies(state.params, state.derived); }

// Bends the grid between the columns curveZ1 and curveZ2 around the turning
// point and continues straight beyond; nothing changes unless CurveApplies.
void ApplyCurve(TerrainGeneratorState& state, GridRows rows = {});

// What a curve does wrong to the shaped grid: triangles it turns over
// (its turning point lies inside the surface), triangles without area (a
// row of nodes meets at the turning point), a bend of more than a full
// turn; and the turning point (curveX) nearest to the one asked for, in
// whole cells, that would do none of this.
struct CurveFolds {
    std::size_t turnedOver = 0;
    std::size_t withoutArea = 0;
    bool overItself = false;
    double safeCurveX = 0.0;
};
CurveFolds FindCurveFolds(const TerrainGeneratorState& state);

// The warning for `folds` (the bytes are written all the same), naming
// `field`; nothing when the curve folds nothing.
std::optional<GenerationWarning> CurveFoldWarning(const CurveFolds& folds, UiLanguage language,
                                                  const std::string& field);

// Fill, heightmap, peaks in row order, curve: the whole shaping of one
// generation (a large grid in two bands of rows on two threads).
void ShapeGrid(TerrainGeneratorState& state);

// Throws InputError when a vertex of the mesh, offset added, is not a finite
// number (inputs so large that the arithmetic overflows).
void CheckMeshFinite(const TerrainGeneratorState& state, UiLanguage language);

// The header of domb.b3d.
void WriteTerrainHeader(B3dWriter& out, const TerrainParams& params, UiLanguage language);

// The header and one block per cell, row by row.
void WriteTerrain(B3dWriter& out, const TerrainGeneratorState& state, UiLanguage language);

// What WriteTerrain writes: a section and four vertices per cell.
ObjectSize CellLayoutSize(const TerrainGeneratorState& state);

}  // namespace kestrane
