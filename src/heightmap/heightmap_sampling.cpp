// Bilinear sampling of a raster window at the terrain's nodes and the fill
// of the nodes that have no data under them.
#include "heightmap/heightmap_window.h"

#include "core/errors.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kestrane::heightmap_detail {

namespace {

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

// Weights below this come from rounding in a node's position, not from
// its place between cells.
constexpr double kNegligibleWeight = 1e-9;

double NodeX(const HeightmapParams& params, const NodeLattice& lattice, int i)
{
    return params.originX + i * lattice.stepX;
}

double NodeZ(const HeightmapParams& params, const NodeLattice& lattice, int j)
{
    return params.originZ + j * lattice.stepZ;
}

bool Inside(double value, double extent) { return value >= 0.0 && value <= extent; }

// A sample coordinate clamped to the samples there are: the half cell
// along the raster's edges takes the edge cell's value.
double ClampIndex(double index, int count) { return std::clamp(index, 0.0, static_cast<double>(count - 1)); }

// Bilinear over the four samples around (u, v), leaving out those
// without data; NaN when none of the weighted samples has data.
double Bilinear(const RasterWindow& w, double u, double v)
{
    const int u0 = std::min(static_cast<int>(std::floor(u)), w.columns - 1);
    const int v0 = std::min(static_cast<int>(std::floor(v)), w.rows - 1);
    const int u1 = std::min(u0 + 1, w.columns - 1);
    const int v1 = std::min(v0 + 1, w.rows - 1);
    const double fu = u - u0;
    const double fv = v - v0;
    const struct {
        int column, row;
        double weight;
    } corners[] = {
        {u0, v0, (1 - fu) * (1 - fv)},
        {u1, v0, fu * (1 - fv)},
        {u0, v1, (1 - fu) * fv},
        {u1, v1, fu * fv},
    };
    double sum = 0.0;
    double weights = 0.0;
    for (const auto& corner : corners) {
        if (corner.weight < kNegligibleWeight)
            continue;  // a node on a cell centre or edge: the far cells do not count
        const double value = w.values[static_cast<std::size_t>(corner.row) * w.columns + corner.column];
        if (std::isnan(value))
            continue;
        sum += corner.weight * value;
        weights += corner.weight;
    }
    if (weights > 0.0)
        return sum / weights;
    // Exactly on a sample with no data while its neighbours (weight 0) have
    // some: still no data.
    return kNoValue;
}

// The index range [first, last] of nodes whose coordinate lies within
// [0, extent], or an empty range.
void NodesInside(double origin, double step, int count, double extent, int& first, int& last)
{
    first = count;
    last = -1;
    for (int k = 0; k < count; ++k) {
        if (Inside(origin + k * step, extent)) {
            first = std::min(first, k);
            last = std::max(last, k);
        }
    }
}

}  // namespace

CellRange CellsUnderLattice(const RasterExtent& extent, const HeightmapParams& params, const NodeLattice& lattice)
{
    const double width = extent.columns * extent.cellX;
    const double height = extent.rows * extent.cellZ;
    int iFirst, iLast, jFirst, jLast;
    NodesInside(params.originX, lattice.stepX, lattice.countX, width, iFirst, iLast);
    NodesInside(params.originZ, lattice.stepZ, lattice.countZ, height, jFirst, jLast);
    CellRange range;
    if (iFirst > iLast || jFirst > jLast)
        return range;
    const double xLow = std::min(NodeX(params, lattice, iFirst), NodeX(params, lattice, iLast));
    const double xHigh = std::max(NodeX(params, lattice, iFirst), NodeX(params, lattice, iLast));
    const double zLow = std::min(NodeZ(params, lattice, jFirst), NodeZ(params, lattice, jLast));
    const double zHigh = std::max(NodeZ(params, lattice, jFirst), NodeZ(params, lattice, jLast));
    // Cell centres lie half a cell inside the cell edges.
    const auto cell = [](double metres, double size, int count, bool up) {
        const double index = metres / size - 0.5;
        const double rounded = up ? std::ceil(index) : std::floor(index);
        return static_cast<int>(std::clamp(rounded, 0.0, static_cast<double>(count - 1)));
    };
    const int west = cell(xLow, extent.cellX, extent.columns, false);
    const int east = cell(xHigh, extent.cellX, extent.columns, true);
    // Rows count from the north edge.
    const int north = cell(height - zHigh, extent.cellZ, extent.rows, false);
    const int south = cell(height - zLow, extent.cellZ, extent.rows, true);
    range.firstColumn = west;
    range.columnCount = east - west + 1;
    range.firstRow = north;
    range.rowCount = south - north + 1;
    return range;
}

long long FillFromNeighbours(std::vector<double>& heights, int countX, int countZ)
{
    const auto at = [countZ](int i, int j) { return static_cast<std::size_t>(i) * countZ + j; };
    std::vector<std::pair<int, int>> ring;
    for (int i = 0; i < countX; ++i)
        for (int j = 0; j < countZ; ++j)
            if (std::isnan(heights[at(i, j)]))
                ring.emplace_back(i, j);
    if (ring.size() == heights.size())
        return 0;
    long long filled = 0;
    std::vector<std::pair<std::size_t, double>> values;
    std::vector<std::pair<int, int>> rest;
    while (!ring.empty()) {
        // A node beside a valued one takes the mean of its valued
        // neighbours; all of one ring are set together, so a ring does not
        // feed itself.
        values.clear();
        rest.clear();
        for (const auto& [i, j] : ring) {
            double sum = 0.0;
            int count = 0;
            for (int di = -1; di <= 1; ++di) {
                for (int dj = -1; dj <= 1; ++dj) {
                    const int ni = i + di;
                    const int nj = j + dj;
                    if ((di == 0 && dj == 0) || ni < 0 || ni >= countX || nj < 0 || nj >= countZ)
                        continue;
                    const double value = heights[at(ni, nj)];
                    if (!std::isnan(value)) {
                        sum += value;
                        ++count;
                    }
                }
            }
            if (count > 0)
                values.emplace_back(at(i, j), sum / count);
            else
                rest.emplace_back(i, j);
        }
        for (const auto& [index, value] : values)
            heights[index] = value;
        filled += static_cast<long long>(values.size());
        ring.swap(rest);
    }
    return filled;
}

HeightmapSamples SampleLattice(const RasterExtent& extent, const RasterWindow& window, const HeightmapParams& params,
                               const NodeLattice& lattice, UiLanguage language)
{
    HeightmapSamples samples;
    samples.readColumns = window.columns;
    samples.readRows = window.rows;
    const std::size_t count = static_cast<std::size_t>(std::max(lattice.countX, 0)) * std::max(lattice.countZ, 0);
    samples.heights.assign(count, kNoValue);
    const double width = extent.columns * extent.cellX;
    const double height = extent.rows * extent.cellZ;
    long long inside = 0;
    for (int i = 0; i < lattice.countX; ++i) {
        const double x = NodeX(params, lattice, i);
        for (int j = 0; j < lattice.countZ; ++j) {
            const double z = NodeZ(params, lattice, j);
            if (!Inside(x, width) || !Inside(z, height)) {
                ++samples.outsideNodes;
                continue;
            }
            ++inside;
            if (window.values.empty())
                continue;
            const double u = ClampIndex((x - window.west) / window.cellX - 0.5, window.columns);
            const double v = ClampIndex((window.north - z) / window.cellZ - 0.5, window.rows);
            samples.heights[static_cast<std::size_t>(i) * lattice.countZ + j] = Bilinear(window, u, v);
        }
    }
    if (count == 0)
        return samples;
    if (inside == 0) {
        const std::string caption = HeightmapCaption(OriginField(params), language);
        throw InputError(caption, caption + LocalText{": a terep minden rácspontja a raszteren kívül esik.",
                                                      ": every node of the terrain lies outside the raster."}(language));
    }
    samples.filledNodes = FillFromNeighbours(samples.heights, lattice.countX, lattice.countZ);
    if (samples.filledNodes == 0 && std::isnan(samples.heights.front())) {
        const std::string caption = HeightmapCaption(HeightmapField::File, language);
        throw InputError(caption, caption + LocalText{": a terep alatt a raszternek nincs adata (csak üres cellák).",
                                                      ": the raster has no data under the terrain (only "
                                                      "no-data cells)."}(language));
    }
    for (double& h : samples.heights)
        h = h * params.scale + params.offset;
    return samples;
}

}  // namespace kestrane::heightmap_detail
