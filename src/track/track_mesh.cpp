#include "track/track_mesh.h"

#include <algorithm>
#include <cmath>

namespace kestrane {

TrackBend::TrackBend(double radius, double blockLength) : radius_(radius)
{
    if (radius != 0.0) {
        const double turn = blockLength / (2 * radius);
        turnCos_ = std::cos(turn);
        turnSin_ = std::sin(turn);
    }
}

Vec3 TrackBend::operator()(double x, double y, double s) const
{
    if (radius_ == 0.0)
        return {x, y, s};
    const double angle = s / radius_;
    const double bentX = radius_ - (radius_ - x) * std::cos(angle);
    const double bentZ = (radius_ - x) * std::sin(angle);
    return {bentX * turnCos_ - bentZ * turnSin_, y, bentX * turnSin_ + bentZ * turnCos_};
}

int SegmentCount(const CrossSection& section, double radius, double length, double tolerance)
{
    if (radius == 0.0)
        return 1;
    // The farthest point from the centre: the most negative x on a right
    // curve, the most positive on a left one.
    double farthest = std::fabs(radius);
    const auto reach = [&](const ProfilePoint& point) {
        farthest = std::max(farthest, std::fabs(radius - point.x));
    };
    for (const ProfileLine& line : section.lines)
        std::for_each(line.points.begin(), line.points.end(), reach);
    // The sagitta of an arc of angle a at distance r is r (1 - cos(a/2)).
    const double ratio = std::min(1.0, tolerance / farthest);
    const double widest = 2 * std::acos(1 - ratio);
    const double angle = length / std::fabs(radius);
    return std::max(1, static_cast<int>(std::ceil(angle / widest - 1e-9)));
}

std::vector<double> SleeperPositions(double blockLength, double spacing)
{
    std::vector<double> positions;
    if (spacing <= 0)
        return positions;
    const int count = std::max(1, static_cast<int>(std::lround(blockLength / spacing)));
    for (int k = 0; k < count; ++k)
        positions.push_back((k + 0.5) * blockLength / count);
    return positions;
}

std::size_t TrackMesh::VertexCount() const
{
    std::size_t count = 0;
    for (const TrackSurface& surface : surfaces)
        count += surface.vertices.size();
    return count;
}

namespace {

// One line of the cross-section drawn along s: a grid of (points) x
// (segment boundaries) vertices, a quad between each two neighbours.
TrackSurface LineSurface(const ProfileLine& line, const TrackBend& bend, const std::vector<double>& boundaries,
                         const TrackParams& p)
{
    TrackSurface surface{line.element, {}, {}, {}};
    // u: the distance along the line, one image per texture width (or the
    // whole line).
    std::vector<double> along{0.0};
    for (std::size_t i = 1; i < line.points.size(); ++i)
        along.push_back(along.back() + std::hypot(line.points[i].x - line.points[i - 1].x,
                                                  line.points[i].y - line.points[i - 1].y));
    const double width = p.textureWidth > 0 ? p.textureWidth : along.back();
    const auto rows = static_cast<std::uint32_t>(line.points.size());
    for (const double s : boundaries)
        for (std::uint32_t i = 0; i < rows; ++i) {
            surface.vertices.push_back(bend(line.points[i].x, line.points[i].y, s));
            surface.uv.push_back({along[i] / width, s / p.blockLength});
        }
    // Point i at boundary j, point i + 1 at boundary j + 1 ...: the corner
    // order (i, j), (i, j+1), (i+1, j+1), (i+1, j) shows the face on the
    // line's left.
    for (std::uint32_t j = 0; j + 1 < boundaries.size(); ++j)
        for (std::uint32_t i = 0; i + 1 < rows; ++i)
            surface.faces.push_back({j * rows + i, (j + 1) * rows + i, (j + 1) * rows + i + 1, j * rows + i + 1});
    return surface;
}

// The sleepers as boxes without a bottom: the top and both ends (the
// sleeper's own cross-section drawn from its front to its back), then its
// front and back.
TrackSurface SleeperSurface(const std::array<ProfilePoint, 4>& cut, const TrackBend& bend, const TrackParams& p)
{
    TrackSurface surface{TrackElement::Sleeper, {}, {}, {}};
    const auto quad = [&](const std::array<Vec3, 4>& corners) {
        const auto first = static_cast<std::uint32_t>(surface.vertices.size());
        static constexpr double kU[4] = {0, 0, 1, 1}, kV[4] = {0, 1, 1, 0};
        for (int k = 0; k < 4; ++k) {
            surface.vertices.push_back(corners[k]);
            surface.uv.push_back({kU[k], kV[k]});
        }
        surface.faces.push_back({first, first + 1, first + 2, first + 3});
    };
    for (const double centre : SleeperPositions(p.blockLength, p.sleeperSpacing)) {
        const double front = centre - kSleeperWidth / 2, back = centre + kSleeperWidth / 2;
        const auto at = [&](int k, double s) { return bend(cut[k].x, cut[k].y, s); };
        for (int k = 0; k < 3; ++k)  // left end, top, right end
            quad({at(k, front), at(k, back), at(k + 1, back), at(k + 1, front)});
        quad({at(0, front), at(1, front), at(2, front), at(3, front)});  // front, facing the block's start
        quad({at(0, back), at(3, back), at(2, back), at(1, back)});      // back, facing its end
    }
    return surface;
}

}  // namespace

TrackMesh BuildTrackMesh(const CrossSection& section, const TrackParams& p, double radius)
{
    const double length = p.blockLength + p.overlap;
    TrackMesh mesh;
    mesh.segments = SegmentCount(section, radius, length, p.tolerance);
    std::vector<double> boundaries;
    for (int j = 0; j <= mesh.segments; ++j)
        boundaries.push_back(length * j / mesh.segments);
    const TrackBend bend(radius, p.blockLength);
    for (const ProfileLine& line : section.lines)
        mesh.surfaces.push_back(LineSurface(line, bend, boundaries, p));
    if (section.sleeper)
        mesh.surfaces.push_back(SleeperSurface(*section.sleeper, bend, p));
    return mesh;
}

}  // namespace kestrane

namespace kestrane {

Vec3 TrackBlockPlace::operator()(const Vec3& v) const
{
    const double c = std::cos(chord), s = std::sin(chord);
    return {startX + v.x * c + v.z * s, v.y, startZ - v.x * s + v.z * c};
}

TrackBlockPlace PlaceOfBlock(double radius, double blockLength, int k)
{
    if (radius == 0.0)
        return {0.0, k * blockLength, 0.0};
    const double heading = k * blockLength / radius;
    return {radius * (1 - std::cos(heading)), radius * std::sin(heading), heading + blockLength / (2 * radius)};
}

TrackMesh PlaceTrackBlocks(const TrackMesh& piece, double radius, double blockLength, int blocks)
{
    TrackMesh placed;
    placed.segments = piece.segments;
    for (int k = 0; k < blocks; ++k) {
        const TrackBlockPlace place = PlaceOfBlock(radius, blockLength, k);
        for (TrackSurface surface : piece.surfaces) {
            for (Vec3& v : surface.vertices)
                v = place(v);
            placed.surfaces.push_back(std::move(surface));
        }
    }
    return placed;
}

}  // namespace kestrane
