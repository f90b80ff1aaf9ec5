// Inside the heightmap module: a part of the raster read into memory, and
// the sampling of a node lattice on it.
#pragma once

#include "heightmap/heightmap.h"

#include <vector>

namespace kestrane::heightmap_detail {

// The raster's extent in metres: x east from its west edge, z north from
// its south edge.
struct RasterExtent {
    int columns = 0;
    int rows = 0;
    double cellX = 0.0;  // metres per raster cell
    double cellZ = 0.0;
};

// The cells (column and row ranges, rows counted from the north edge)
// that bilinear sampling at every lattice node inside the raster touches;
// empty (count 0) when no node lies inside.
struct CellRange {
    int firstColumn = 0;
    int columnCount = 0;
    int firstRow = 0;
    int rowCount = 0;
};

// Here the params' origin is in metres of the extent: a map origin has been
// converted already (mapOrigin then only names the field in messages).
CellRange CellsUnderLattice(const RasterExtent& extent, const HeightmapParams& params, const NodeLattice& lattice);

// Values read from a CellRange, perhaps decimated: `columns` by `rows`
// samples, north row first, NaN where there is no data. The window's
// edges are given in metres of the raster's extent.
struct RasterWindow {
    std::vector<double> values;
    int columns = 0;
    int rows = 0;
    double west = 0.0;   // x of the window's west edge
    double north = 0.0;  // z of its north edge
    double cellX = 0.0;  // metres per sample
    double cellZ = 0.0;
};

// Bilinear sampling at every node, the fill of the nodes without data,
// scale and offset. Throws InputError when no node could be sampled.
HeightmapSamples SampleLattice(const RasterExtent& extent, const RasterWindow& window, const HeightmapParams& params,
                               const NodeLattice& lattice, UiLanguage language);

// Gives every node marked NaN the mean of its nearest valued neighbours,
// ring by ring outward from the valued nodes (8-neighbourhood). Returns the
// number of nodes filled; none are filled when no node has a value.
long long FillFromNeighbours(std::vector<double>& heights, int countX, int countZ);

}  // namespace kestrane::heightmap_detail
