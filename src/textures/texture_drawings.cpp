#include "textures/texture_drawings.h"

#include "textures/bitmap_font.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>

namespace kestrane::textures {

namespace {

constexpr int N = kTextureSide;

// --- Deterministic noise -----------------------------------------------------

// An integer hash of a lattice point and a seed (a multiply-xorshift mix):
// the same on every platform, unlike the standard library's engines'
// distributions.
std::uint32_t Hash(int x, int y, std::uint32_t seed)
{
    std::uint32_t h = static_cast<std::uint32_t>(x) * 0x8da6b343u ^ static_cast<std::uint32_t>(y) * 0xd8163841u ^
                      seed * 0xcb1ab31fu;
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}

double Random01(int x, int y, std::uint32_t seed) { return (Hash(x, y, seed) >> 8) * (1.0 / 16777216.0); }

int Wrap(int i, int period) { return ((i % period) + period) % period; }

double Smooth(double t) { return t * t * (3 - 2 * t); }

// Value noise in 0..1 of pixel (x, y) with `cellsX` x `cellsY` lattice
// cells across the picture; the lattice wraps, so the noise is periodic over
// the picture. Unequal counts stretch it (grain along wood).
double PeriodicNoise(double x, double y, int cellsX, int cellsY, std::uint32_t seed)
{
    const double fx = x * cellsX / N, fy = y * cellsY / N;
    const int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
    const double tx = Smooth(fx - x0), ty = Smooth(fy - y0);
    const auto at = [&](int i, int j) { return Random01(Wrap(i, cellsX), Wrap(j, cellsY), seed); };
    const double top = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * tx;
    const double bottom = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * tx;
    return top + (bottom - top) * ty;
}

// Octaves of periodic noise from `cellsX` x `cellsY` cells up, each twice
// as fine and half as strong; 0..1 around 0.5.
double Fractal(int x, int y, int cellsX, int cellsY, int octaves, std::uint32_t seed)
{
    double sum = 0, weight = 0, amplitude = 1;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += PeriodicNoise(x, y, cellsX << octave, cellsY << octave, seed + static_cast<std::uint32_t>(octave)) *
               amplitude;
        weight += amplitude;
        amplitude /= 2;
    }
    return sum / weight;
}
double Fractal(int x, int y, int cells, int octaves, std::uint32_t seed) { return Fractal(x, y, cells, cells, octaves, seed); }

// Per-pixel grain in -1..1.
double Grain(int x, int y, std::uint32_t seed) { return Random01(x, y, seed) * 2 - 1; }

// Distance to the nearest and second-nearest of one jittered point per cell
// (`cells` cells across), measured across the wrapped picture.
struct Cells {
    double nearest, second;
    int cellX, cellY;  // the nearest point's cell
};
Cells NearestPoints(int x, int y, int cells, std::uint32_t seed)
{
    const double size = static_cast<double>(N) / cells;
    const int cx = static_cast<int>(x / size), cy = static_cast<int>(y / size);
    Cells result{1e9, 1e9, 0, 0};
    for (int j = cy - 1; j <= cy + 1; ++j)
        for (int i = cx - 1; i <= cx + 1; ++i) {
            const int wi = Wrap(i, cells), wj = Wrap(j, cells);
            const double px = (i + 0.15 + 0.7 * Random01(wi, wj, seed)) * size;
            const double py = (j + 0.15 + 0.7 * Random01(wi, wj, seed + 1)) * size;
            const double d = std::hypot(px - x, py - y);
            if (d < result.nearest) {
                result.second = result.nearest;
                result = {d, result.second, wi, wj};
            } else if (d < result.second) {
                result.second = d;
            }
        }
    return result;
}

void Fill(BitmapImage& image, const std::function<Shade(int x, int y)>& shade)
{
    for (int y = 0; y < image.side(); ++y)
        for (int x = 0; x < image.side(); ++x)
            image.set(x, y, shade(x, y));
}

// --- Courses of blocks (tiles, bricks, stones) -------------------------------

// Where a pixel lies in a bond of blocks `width` x `height` pixels, every
// other course shifted by half a block; both divide the picture's side, so
// the bond repeats across it.
struct InBond {
    int course, block;  // which block (wrapped)
    double u, v;        // 0..1 inside it, from its left and top
};
InBond Bond(int x, int y, int width, int height)
{
    const int course = y / height;
    const int shifted = x + (course % 2) * width / 2;
    return {course, Wrap(shifted / width, N / width), static_cast<double>(shifted % width) / width,
            static_cast<double>(y % height) / height};
}

// --- The drawings --------------------------------------------------------------

constexpr Shade kPlaster{214, 198, 164};
constexpr Shade kPlinth{128, 118, 106};
constexpr double kPlinthTop = 0.86;  // of the height, from the top

Shade PlasterAt(int x, int y)
{
    const double v = static_cast<double>(y) / N;
    const double cloud = Fractal(x, y, 4, 4, 11) - 0.5;
    const double grain = Grain(x, y, 12);
    if (v >= kPlinthTop) {
        // Rough render, a little darker where rain splashes at the very bottom.
        const double splash = (v - kPlinthTop) / (1 - kPlinthTop) * 0.12;
        return kPlinth * (1 + cloud * 0.3 + grain * 0.08 - splash);
    }
    // A shadow line under the plinth's top edge.
    const double ledge = v > kPlinthTop - 0.012 ? 0.78 : 1.0;
    return kPlaster * ((1 + cloud * 0.16 + grain * 0.035) * ledge);
}

Shade GableBoardsAt(int x, int y)
{
    constexpr int board = 16;
    const int row = y / board;
    const double v = static_cast<double>(y % board) / board;
    const double tone = 0.9 + 0.2 * Random01(row, 0, 21);
    const double grain = Fractal(x, y, 2, 32, 3, 22 + static_cast<std::uint32_t>(row)) - 0.5;
    // The lower edge of each board casts a shadow on the top of the next.
    const double lap = v < 0.12 ? 0.65 + v * 2.5 : (v > 0.9 ? 1.08 : 1.0);
    return Shade{172, 128, 84} * (tone * lap * (1 + grain * 0.25) + Grain(x, y, 23) * 0.03);
}

Shade RoofTilesAt(int x, int y)
{
    const InBond tile = Bond(x, y, 32, 32);
    const double tone = 0.86 + 0.24 * Random01(tile.block, tile.course, 31);
    // Each tile's rounded lower edge: the exposed part is lighter towards
    // the bottom, the row above throws a shadow on the top.
    const double across = std::abs(tile.u - 0.5) * 2;
    const double edge = 0.92 - 0.12 * across * across;
    double light = 0.72 + 0.36 * tile.v;
    if (tile.v > edge)
        light = 0.55;  // the shadow under the tile's rounded end
    if (tile.u < 0.04 || tile.u > 0.96)
        light *= 0.7;  // the joint between neighbours
    const double weather = Fractal(x, y, 4, 3, 32) - 0.5;
    return Shade{168, 66, 42} * (tone * light * (1 + weather * 0.3) + Grain(x, y, 33) * 0.03);
}

Shade GutterMetalAt(int x, int y)
{
    // Streaks along the length (x), a dull zinc grey.
    const double streak = Fractal(x, y, 1, 8, 3, 41) - 0.5;
    const double spot = Fractal(x, y, 8, 3, 42) - 0.5;
    return Shade{152, 158, 162} * (1 + streak * 0.25 + spot * 0.12 + Grain(x, y, 43) * 0.03);
}

Shade ChimneyBrickAt(int x, int y)
{
    const InBond brick = Bond(x, y, 64, 16);
    constexpr double mortarX = 3.0 / 64, mortarY = 3.0 / 16;
    const double grain = Grain(x, y, 51);
    if (brick.u < mortarX || brick.v < mortarY)
        return Shade{188, 182, 170} * (1 + grain * 0.06);
    const double tone = 0.8 + 0.3 * Random01(brick.block, brick.course, 52);
    const double burn = Fractal(x, y, 8, 3, 53) - 0.5;
    return Shade{156, 68, 48} * (tone * (1 + burn * 0.35) + grain * 0.05);
}

// A window in its frame: the frame and the glazing bars are the same by
// day and by night, the glass shows `glass`.
Shade WindowAt(int x, int y, const std::function<Shade(double u, double v)>& glass)
{
    const double u = (x + 0.5) / N, v = (y + 0.5) / N;
    constexpr double frame = 0.09, bar = 0.025, transom = 0.36;
    const Shade white{236, 236, 230};
    const double grain = Grain(x, y, 61) * 0.02;
    if (u < frame || u > 1 - frame || v < frame || v > 1 - frame) {
        // A thin shadow line where the frame meets the glass.
        const bool inner = u > frame * 0.8 && u < 1 - frame * 0.8 && v > frame * 0.8 && v < 1 - frame * 0.8;
        return white * ((inner ? 0.8 : 1.0) + grain);
    }
    if (std::abs(u - 0.5) < bar || std::abs(v - transom) < bar)
        return white * (0.96 + grain);
    return glass(u, v);
}

Shade DayGlass(double u, double v)
{
    // Sky reflected in the upper part, darker inside; a diagonal sheen.
    const Shade deep{52, 66, 82}, sky{128, 150, 172};
    const double sheen = std::abs((u + v) - 0.9) < 0.07 ? 0.25 : 0.0;
    return Mix(sky, deep, std::clamp(v * 1.3, 0.0, 1.0)) * (1 + sheen);
}

Shade NightGlass(double u, double v)
{
    // Warm lamplight, brightest in the middle, curtains at both sides.
    const Shade lamp{255, 214, 140}, rim{214, 140, 60}, curtain{176, 96, 48};
    const double d = std::hypot(u - 0.5, v - 0.45) / 0.6;
    if (u < 0.2 || u > 0.8)
        return curtain * (0.9 + 0.1 * std::cos((u * 40)));
    return Mix(lamp, rim, std::clamp(d, 0.0, 1.0));
}

Shade DoorAt(int x, int y)
{
    const double u = (x + 0.5) / N, v = (y + 0.5) / N;
    constexpr double frame = 0.06;
    const Shade wood{118, 74, 42};
    if (u < frame || u > 1 - frame || v < frame * 0.5)
        return Shade{88, 56, 32} * (1 + Grain(x, y, 71) * 0.04);
    // The handle: a dark plate with a round knob, right of the middle.
    const double hx = 0.8, hy = 0.55;
    if (std::abs(u - hx) < 0.03 && std::abs(v - hy) < 0.08)
        return std::hypot(u - hx, v - hy) < 0.022 ? Shade{210, 200, 170} : Shade{40, 40, 42};
    constexpr int planks = 6;
    const double plank = (u - frame) / (1 - 2 * frame) * planks;
    const int which = static_cast<int>(plank);
    const double within = plank - which;
    double light = 0.9 + 0.2 * Random01(which, 0, 72);
    if (within < 0.04 || within > 0.96)
        light = 0.55;  // the groove between planks
    // A brace across the top and the bottom.
    if ((v > 0.2 && v < 0.27) || (v > 0.78 && v < 0.85))
        light *= 1.12;
    const double grain = Fractal(x, y, 32, 2, 3, 73 + static_cast<std::uint32_t>(which)) - 0.5;
    return wood * (light * (1 + grain * 0.3) + Grain(x, y, 74) * 0.03);
}

Shade GrassAt(int x, int y, std::uint32_t seed, const Shade& lush, const Shade& dry)
{
    const double patch = Fractal(x, y, 4, 4, seed);
    const double blades = Fractal(x, y, 64, 2, seed + 10) - 0.5;
    return Mix(lush, dry, std::clamp((patch - 0.3) * 2.2, 0.0, 1.0)) * (1 + blades * 0.35 + Grain(x, y, seed + 20) * 0.08);
}

Shade BallastAt(int x, int y)
{
    const Cells stones = NearestPoints(x, y, 16, 81);
    const double tone = 0.75 + 0.4 * Random01(stones.cellX, stones.cellY, 82);
    // Dark gaps between the stones, lit faces a little lighter.
    const double gap = std::clamp((stones.second - stones.nearest) / 3.0, 0.0, 1.0);
    const double facet = 1.1 - 0.25 * std::clamp(stones.nearest / 10.0, 0.0, 1.0);
    return Shade{150, 146, 138} * (tone * facet * (0.35 + 0.65 * gap) + Grain(x, y, 83) * 0.06);
}

Shade SleeperWoodAt(int x, int y)
{
    // Grain along the sleeper (x), a few splits, oiled dark brown.
    const double grain = Fractal(x, y, 1, 16, 3, 91) - 0.5;
    const double split = std::abs(PeriodicNoise(x, y, 2, 12, 92) - 0.5) < 0.008 ? 0.7 : 1.0;
    return Shade{104, 78, 56} * ((1 + grain * 0.5) * split + Grain(x, y, 93) * 0.04);
}

Shade RailSteelAt(int x, int y)
{
    // The rail head's running band along the middle (x runs along the rail).
    const double v = (y + 0.5) / N;
    const double rust = Fractal(x, y, 4, 4, 101) - 0.5;
    if (std::abs(v - 0.5) < 0.12) {
        const double polish = 1 - std::abs(v - 0.5) / 0.12 * 0.25;
        return Shade{196, 196, 200} * (polish + Grain(x, y, 102) * 0.04);
    }
    return Shade{118, 88, 66} * (1 + rust * 0.4 + Grain(x, y, 103) * 0.06);
}

Shade RockAt(int x, int y)
{
    const double body = Fractal(x, y, 4, 5, 111);
    const double crack = std::abs(Fractal(x, y, 4, 3, 112) - 0.5);
    const double dark = crack < 0.015 ? 0.45 : (crack < 0.03 ? 0.8 : 1.0);
    return Mix(Shade{96, 90, 82}, Shade{168, 158, 140}, body) * (dark + Grain(x, y, 113) * 0.06);
}

Shade RetainingWallAt(int x, int y)
{
    const InBond stone = Bond(x, y, 64, 32);
    constexpr double jointX = 3.0 / 64, jointY = 3.0 / 32;
    if (stone.u < jointX || stone.v < jointY)
        return Shade{70, 68, 64} * (1 + Grain(x, y, 121) * 0.1);
    const double tone = 0.82 + 0.3 * Random01(stone.block, stone.course, 122);
    const double face = Fractal(x, y, 8, 4, 123) - 0.5;
    // Rounded edges: darker near the joints.
    const double edge = std::min({stone.u - jointX, 1 - stone.u, (stone.v - jointY) * 2, (1 - stone.v) * 2});
    const double rounding = 0.75 + 0.25 * std::clamp(edge * 12, 0.0, 1.0);
    return Shade{164, 156, 140} * (tone * rounding * (1 + face * 0.35) + Grain(x, y, 124) * 0.05);
}

BitmapImage CheckerWithName(std::string_view label)
{
    BitmapImage image(N);
    Fill(image, [](int x, int y) { return ((x / 32 + y / 32) % 2) ? Shade{168, 168, 168} : Shade{204, 204, 204}; });
    // The name in lines of at most 40 characters on white bands, centred.
    constexpr std::size_t perLine = 40;
    std::vector<std::string_view> lines;
    for (std::size_t at = 0; at < label.size() && lines.size() < 8; at += perLine)
        lines.push_back(label.substr(at, perLine));
    std::size_t longest = 0;
    for (std::string_view line : lines)
        longest = std::max(longest, line.size());
    const int scale = std::clamp((N - 16) / std::max(1, TextWidth(longest, 1)), 1, 4);
    const int lineHeight = (kGlyphHeight + 3) * scale;
    int top = (N - lineHeight * static_cast<int>(lines.size())) / 2;
    for (std::string_view line : lines) {
        const int width = TextWidth(line.size(), scale);
        const int left = (N - width) / 2;
        for (int y = top - scale; y < top + (kGlyphHeight + 1) * scale; ++y)
            for (int x = left - 2 * scale; x < left + width + 2 * scale; ++x)
                if (x >= 0 && y >= 0 && x < N && y < N)
                    image.set(x, y, Rgb8{248, 248, 248});
        DrawText(image, line, left, top, scale, Rgb8{40, 40, 40});
        top += lineHeight;
    }
    return image;
}

}  // namespace

bool IsSeamless(Drawing drawing)
{
    switch (drawing) {
    case Drawing::GutterMetal:
    case Drawing::RoofTiles:
    case Drawing::ChimneyBrick:
    case Drawing::Grass:
    case Drawing::Ballast:
    case Drawing::SleeperWood:
    case Drawing::RailSteel:
    case Drawing::GrassSlope:
    case Drawing::RockCutting:
    case Drawing::RetainingWall:
    case Drawing::Checker:
        return true;
    case Drawing::Plaster:
    case Drawing::GableBoards:
    case Drawing::Window:
    case Drawing::LitWindow:
    case Drawing::Door:
        return false;
    }
    return false;
}

BitmapImage Draw(Drawing drawing, std::string_view label)
{
    if (drawing == Drawing::Checker)
        return CheckerWithName(label);
    BitmapImage image(N);
    switch (drawing) {
    case Drawing::Plaster: Fill(image, PlasterAt); break;
    case Drawing::GableBoards: Fill(image, GableBoardsAt); break;
    case Drawing::RoofTiles: Fill(image, RoofTilesAt); break;
    case Drawing::GutterMetal: Fill(image, GutterMetalAt); break;
    case Drawing::ChimneyBrick: Fill(image, ChimneyBrickAt); break;
    case Drawing::Window: Fill(image, [](int x, int y) { return WindowAt(x, y, DayGlass); }); break;
    case Drawing::LitWindow: Fill(image, [](int x, int y) { return WindowAt(x, y, NightGlass); }); break;
    case Drawing::Door: Fill(image, DoorAt); break;
    case Drawing::Grass:
        Fill(image, [](int x, int y) { return GrassAt(x, y, 131, Shade{78, 124, 48}, Shade{124, 140, 64}); });
        break;
    case Drawing::GrassSlope:
        Fill(image, [](int x, int y) { return GrassAt(x, y, 141, Shade{92, 118, 52}, Shade{152, 148, 88}); });
        break;
    case Drawing::Ballast: Fill(image, BallastAt); break;
    case Drawing::SleeperWood: Fill(image, SleeperWoodAt); break;
    case Drawing::RailSteel: Fill(image, RailSteelAt); break;
    case Drawing::RockCutting: Fill(image, RockAt); break;
    case Drawing::RetainingWall: Fill(image, RetainingWallAt); break;
    case Drawing::Checker: break;
    }
    return image;
}

}  // namespace kestrane::textures
