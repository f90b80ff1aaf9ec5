// The warning for a curve that folds the surface: a turning point inside
// the surface turns the cells beyond it over (and those on it have no
// area), and a bend of more than a full turn lies over itself.
#include "terrain/terrain_state.h"

#include "core/numbers.h"

#include <array>
#include <string>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kestrane {

namespace {

// The plan (X, Z) orientation of triangle a, b, c: positive as an unbent
// cell's triangles with positive cell sizes.
double PlanTurn(const GridNode& a, const GridNode& b, const GridNode& c)
{
    return (b.z - a.z) * (c.x - a.x) - (b.x - a.x) * (c.z - a.z);
}

// Whether twice the area of triangle a, b, c in space is at most `most`:
// the square of it decides unless it lies within a factor of two of the
// limit, where the area itself is worked out and compared.
bool AreaAtMost(const GridNode& a, const GridNode& b, const GridNode& c, double most)
{
    const double ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
    const double vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
    const double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
    const double square = nx * nx + ny * ny + nz * nz, limit = most * most;
    if (square > 4.0 * limit)
        return false;
    if (square < 0.25 * limit)
        return true;
    return std::sqrt(square) <= most;
}

}  // namespace

CurveFolds FindCurveFolds(const TerrainGeneratorState& state)
{
    CurveFolds folds;
    const TerrainParams& p = state.params;
    const TerrainDerived& d = state.derived;
    if (!CurveApplies(state) || d.rz > kMaxCellsZ)
        return folds;
    const int cellRows = d.LastRow() - 1;
    // A triangle below this (twice its area) has none: a millionth of a cell.
    const double cellArea = std::abs(d.cellX * d.cellZ);
    const double noArea = 1e-6 * cellArea;
    const double upright = d.cellX * d.cellZ > 0 ? 1.0 : -1.0;
    for (int i = 1; i <= cellRows; ++i) {
        for (int j = 1; j < d.LastColumn(); ++j) {
            const GridNode &p0 = state.node(i, j), &p1 = state.node(i, j + 1);
            const GridNode &p2 = state.node(i + 1, j + 1), &p3 = state.node(i + 1, j);
            for (const auto& [a, b, c] : {std::array{&p0, &p1, &p2}, std::array{&p3, &p0, &p2}}) {
                if (AreaAtMost(*a, *b, *c, noArea))
                    ++folds.withoutArea;
                else if (upright * PlanTurn(*a, *b, *c) < -noArea)
                    ++folds.turnedOver;
            }
        }
    }
    // The bend turns by its columns times the angle of one cell.
    const double radius = std::abs(d.cellX * p.curveX);
    const int bent = static_cast<int>(RoundHalfEven(p.curveZ2)) + 1 - static_cast<int>(RoundHalfEven(p.curveZ1));
    const double cellAngle = 2 * std::asin(std::min(1.0, std::abs(d.cellZ) / 2 / radius));
    folds.overItself = bent * cellAngle > 2 * std::numbers::pi;
    if (folds.withoutArea == 0 && folds.turnedOver == 0 && !folds.overItself)
        return folds;

    // The turning point beyond half the surface's width keeps every row on
    // its side; a radius whose bend turns at most once keeps it off itself.
    double cells = std::floor(cellRows / 2.0) + 1;
    if (bent > 2 && std::abs(d.cellX) > 0) {
        const double leastRadius = std::abs(d.cellZ) / 2 / std::sin(std::numbers::pi / bent);
        cells = std::max(cells, std::ceil(leastRadius / std::abs(d.cellX) + 1e-9));
    }
    folds.safeCurveX = p.curveX < 0 ? -cells : cells;
    return folds;
}

std::optional<GenerationWarning> CurveFoldWarning(const CurveFolds& folds, UiLanguage language,
                                                  const std::string& field)
{
    if (folds.withoutArea == 0 && folds.turnedOver == 0 && !folds.overItself)
        return std::nullopt;
    const bool hu = language == UiLanguage::Hungarian;
    std::string text = hu ? "A kanyar önmagára hajtja a felületet (" : "The curve folds the surface (";
    std::string parts;
    const auto add = [&parts](const std::string& part) { parts += (parts.empty() ? "" : ", ") + part; };
    if (folds.turnedOver > 0)
        add(std::to_string(folds.turnedOver) + (hu ? " háromszög fordul meg" : " triangles turned over"));
    if (folds.withoutArea > 0)
        add(std::to_string(folds.withoutArea) + (hu ? " háromszögnek nincs területe" : " triangles without area"));
    if (folds.overItself)
        add(hu ? "több mint egy teljes fordulat, önmaga fölé" : "more than a full turn, over itself");
    text += parts;
    text += hu ? "); a fordulópont legalább " : "); a turning point ";
    const std::string cells = std::to_string(static_cast<long long>(folds.safeCurveX));
    text += hu ? cells + " rácskockára az X középtől ezt elkerülné."
               : cells + " cells from the X middle or further would not.";
    return GenerationWarning{field, text};
}

}  // namespace kestrane
