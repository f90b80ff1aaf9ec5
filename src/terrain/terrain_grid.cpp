// The node grid: the flat, sloped surface, the peaks and the curve.
#include "terrain/terrain_state.h"

#include "core/errors.h"
#include "core/large_memory.h"
#include "core/numbers.h"

#include <algorithm>
#include <cmath>
#include <system_error>
#include <thread>
#include <type_traits>

namespace kestrane {

namespace {

// A quarter turn in radians, rounded to three decimals as the files have
// always used it: a peak's cosine falls from 1 at its top to nearly 0 at
// its width.
constexpr double kQuarterTurn = 1.571;

// A channel moved toward the peak's value by the share f, rounded half to
// even. With f between cos(kQuarterTurn) and 1 the result stays within 0..255; the
// clamp only guards the type.
std::uint8_t MoveChannel(std::uint8_t value, std::uint8_t peak, double f)
{
    const long long moved = value + RoundHalfEven(f * (static_cast<int>(peak) - static_cast<int>(value)));
    return static_cast<std::uint8_t>(std::clamp<long long>(moved, 0, 255));
}

// The whole numbers within [low, high] clamped to [first, last]; the
// bounds are widened by one so that rounding in the distance never leaves a
// node within reach outside the range.
void ReachRange(double low, double high, int first, int last, int& from, int& to)
{
    from = first;
    to = last;
    if (std::isfinite(low) && low - 1.0 > first)
        from = low - 1.0 > last ? last + 1 : static_cast<int>(std::floor(low - 1.0));
    if (std::isfinite(high) && high + 1.0 < last)
        to = high + 1.0 < first ? first - 1 : static_cast<int>(std::ceil(high + 1.0));
}

// A grid of zero nodes (every field of GridNode{} is zero bits), its
// memory zeroed by the system.
TerrainGrid* NewClearedGrid()
{
    static_assert(std::is_trivially_copyable_v<GridNode> && std::is_trivially_destructible_v<TerrainGrid>);
    return static_cast<TerrainGrid*>(AllocateLarge(sizeof(TerrainGrid)));
}

}  // namespace

void TerrainGeneratorState::FreeGrid::operator()(TerrainGrid* grid) const { FreeLarge(grid, sizeof(TerrainGrid)); }

TerrainGeneratorState::TerrainGeneratorState() : grid_(NewClearedGrid()) {}

void FillGrid(TerrainGeneratorState& state, GridRows rows)
{
    const TerrainDerived& d = state.derived;
    const ColorRgb color = state.params.baseColor;
    for (int i = std::max(1, rows.first); i <= std::min(d.LastRow(), rows.last); ++i) {
        for (int j = 1; j <= d.LastColumn(); ++j) {
            GridNode& n = state.node(i, j);
            n.x = (i - 1) * d.cellX;
            n.z = (j - 1) * d.cellZ;
            n.y = (i - 1) * d.stepX + (j - 1) * d.stepZ;
            n.red = color.r;
            n.green = color.g;
            n.blue = color.b;
        }
    }
}

NodeLattice HeightmapLattice(const TerrainDerived& d)
{
    NodeLattice lattice;
    lattice.countX = std::max(d.LastRow(), 0);
    lattice.countZ = std::max(d.LastColumn(), 0);
    lattice.stepX = d.cellX;
    lattice.stepZ = d.cellZ;
    return lattice;
}

void AddHeightmap(TerrainGeneratorState& state, GridRows rows)
{
    const NodeLattice lattice = HeightmapLattice(state.derived);
    const std::size_t count = static_cast<std::size_t>(lattice.countX) * lattice.countZ;
    if (state.heightmapHeights.size() != count)
        return;  // no heightmap (or one sampled for other inputs)
    for (int i = std::max(1, rows.first); i <= std::min(lattice.countX, rows.last); ++i)
        for (int j = 1; j <= lattice.countZ; ++j)
            state.node(i, j).y += state.heightmapHeights[static_cast<std::size_t>(i - 1) * lattice.countZ + (j - 1)];
}

void ApplyPeak(TerrainGeneratorState& state, int k, GridRows rows)
{
    if (k < 1 || k > kPeakCount || !(state.peaks[k - 1].width > 0))
        return;  // no such row, or the row is switched off
    const TerrainPeak& peak = state.peaks[k - 1];
    const TerrainDerived& d = state.derived;
    const double H = peak.height;
    const double W = peak.width;
    const double scale = kQuarterTurn / W;

    // Nodes farther than W along either axis are out of reach; skipping them
    // changes nothing.
    int iFrom, iTo, jFrom, jTo;
    ReachRange(peak.gridX - W, peak.gridX + W, 1, d.LastRow(), iFrom, iTo);
    ReachRange(peak.gridZ - W, peak.gridZ + W, 1, d.LastColumn(), jFrom, jTo);
    iFrom = std::max(iFrom, rows.first);
    iTo = std::min(iTo, rows.last);

    for (int i = iFrom; i <= iTo; ++i) {
        const double dx = peak.gridX - i;
        for (int j = jFrom; j <= jTo; ++j) {
            const double dz = peak.gridZ - j;
            const double distance = std::sqrt(dx * dx + dz * dz);
            GridNode& n = state.node(i, j);
            if (distance == 0.0) {
                n.y += H;
                n.red = peak.color.r;
                n.green = peak.color.g;
                n.blue = peak.color.b;
            } else if (distance <= W) {
                const double f = std::cos(scale * distance);
                n.y += f * H;
                n.red = MoveChannel(n.red, peak.color.r, f);
                n.green = MoveChannel(n.green, peak.color.g, f);
                n.blue = MoveChannel(n.blue, peak.color.b, f);
            }
        }
    }
}

bool CurveApplies(const TerrainParams& p, const TerrainDerived& d)
{
    return p.curveZ1 > 0 && p.curveZ2 > 0 && p.curveX != 0 && p.curveZ2 > p.curveZ1 && d.rz >= p.curveZ2;
}

void ApplyCurve(TerrainGeneratorState& state, GridRows rows)
{
    const TerrainParams& p = state.params;
    const TerrainDerived& d = state.derived;
    // 0 < curveZ1 < curveZ2 <= rz, so both columns and everything up to
    // rz + 1 lie inside the grid.
    if (!CurveApplies(p, d) || d.rz > kMaxCellsZ)
        return;
    const int z1 = static_cast<int>(RoundHalfEven(p.curveZ1));
    const int z2 = static_cast<int>(RoundHalfEven(p.curveZ2));
    const double R = d.cellX * p.curveX;  // signed radius of the X middle line
    const double cx = p.area.x / 2 + R;    // X of the turning point
    const double a = 2 * std::sin(d.cellZ / 2 / R);
    const int firstRow = std::max(0, rows.first), lastRow = std::min(d.LastRow(), rows.last);

    // The bend: every row turns around the turning point, keeping its
    // distance from it; column z1 stays where it is.
    for (int j = z1 + 1; j <= z2 + 1; ++j) {
        const double theta = (j - z1) * a;
        const double c = std::cos(theta);
        const double s = std::sin(theta);
        for (int i = firstRow; i <= lastRow; ++i) {
            const double r = cx - (i - 1) * d.cellX;
            GridNode& n = state.node(i, j);
            n.x = cx - c * r;
            n.z = state.node(i, z1).z + s * r;
        }
    }

    // Beyond the bend the surface runs straight on in the direction of its
    // last bent column, one cellZ per column.
    if (z2 < d.rz) {
        const double thetaEnd = (z2 + 1 - z1) * a;
        const double dx = std::sin(thetaEnd) * d.cellZ;
        const double dz = std::cos(thetaEnd) * d.cellZ;
        for (int j = z2 + 1; j <= d.LastColumn(); ++j) {
            for (int i = firstRow; i <= lastRow; ++i) {
                GridNode& n = state.node(i, j);
                const GridNode& previous = state.node(i, j - 1);
                n.x = previous.x + dx;
                n.z = previous.z + dz;
            }
        }
    }
}

namespace {

void ShapeRows(TerrainGeneratorState& state, GridRows rows)
{
    FillGrid(state, rows);
    AddHeightmap(state, rows);
    for (int k = 1; k <= kPeakCount; ++k) {
        if (state.peaks[k - 1].width > 0)
            ApplyPeak(state, k, rows);
    }
    if (CurveApplies(state))
        ApplyCurve(state, rows);
}

// Below this many nodes a second thread costs more than it saves.
constexpr long long kNodesWorthASecondThread = 20'000;

}  // namespace

void ShapeGrid(TerrainGeneratorState& state)
{
    const int lastRow = state.derived.LastRow();
    if (static_cast<long long>(lastRow) * state.derived.LastColumn() < kNodesWorthASecondThread ||
        std::thread::hardware_concurrency() < 2) {
        ShapeRows(state, {0, lastRow});
        return;
    }
    // Each node goes through the same steps in the same order on whichever
    // thread: the grid is the same, bit for bit.
    const int middle = lastRow / 2;
    std::thread lower;
    try {
        lower = std::thread([&state, middle, lastRow] { ShapeRows(state, {middle + 1, lastRow}); });
    } catch (const std::system_error&) {
        ShapeRows(state, {0, lastRow});  // no thread to be had: all on this one
        return;
    }
    ShapeRows(state, {0, middle});
    lower.join();
}

void CheckMeshFinite(const TerrainGeneratorState& state, UiLanguage language)
{
    const TerrainParams& p = state.params;
    const TerrainDerived& d = state.derived;
    for (int i = 1; i <= d.LastRow(); ++i) {
        for (int j = 1; j <= d.LastColumn(); ++j) {
            const GridNode& n = state.node(i, j);
            if (std::isfinite(n.x + p.offset.x) && std::isfinite(n.y + p.offset.y) &&
                std::isfinite(n.z + p.offset.z))
                continue;
            throw InputError(LocalText{"A megadott értékekből túl nagy, nem ábrázolható koordináták "
                                           "adódnak; a fájl nem készült el.",
                                           "The values given make coordinates too large to be written; "
                                           "no file was written."}(language));
        }
    }
}

}  // namespace kestrane
