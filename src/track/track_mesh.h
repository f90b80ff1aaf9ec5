// A piece bent to its radius: the surfaces of its cross-section drawn along
// the block, cut into segments, each vertex with its texture coordinates.
#pragma once

#include "core/types.h"
#include "track/track_sections.h"

#include <array>
#include <cstdint>
#include <vector>

namespace kestrane {

// Where a point of a straight piece (x across, y up, s along the track from
// the block's start) lies in the bent object: on the circle of radius
// R - x about the centre (R, 0), then the whole piece turned about the
// vertical axis by -L/2R so that the block's chord is the z axis. R = 0:
// straight, (x, y, s).
class TrackBend {
public:
    TrackBend(double radius, double blockLength);
    Vec3 operator()(double x, double y, double s) const;

private:
    double radius_;
    double turnCos_ = 1.0, turnSin_ = 0.0;
};

// How many equal segments along s keep every edge of `section` within
// `tolerance` of its true curve over `length` metres of a bend of
// `radius`: the fewest whose sagitta at the farthest point from the centre
// is not more than the tolerance. 1 for a straight piece.
int SegmentCount(const CrossSection& section, double radius, double length, double tolerance);

// The s of the sleepers' centres: as many as the spacing allows along the
// block, spaced evenly so that the pattern runs on across the joints.
std::vector<double> SleeperPositions(double blockLength, double spacing);

// One mesh section of the object: one texture.
struct TrackSurface {
    TrackElement element;
    std::vector<Vec3> vertices;
    std::vector<std::array<double, 2>> uv;            // u across, v along; one per vertex
    std::vector<std::array<std::uint32_t, 4>> faces;  // quads, corners clockwise seen from the visible side
};

struct TrackMesh {
    std::vector<TrackSurface> surfaces;
    int segments = 1;
    std::size_t VertexCount() const;
};

// The bent piece of `section` for `radius` with the kit's block length,
// overlap, tolerance and texture width.
TrackMesh BuildTrackMesh(const CrossSection& section, const TrackParams& p, double radius);

}  // namespace kestrane

namespace kestrane {

// Where the simulator puts the object of block `k` (0 first) of a run of
// blocks of one radius: at the block's start on the track's arc (the first
// at the origin, heading +z), turned so that its z axis lies along the
// block's chord.
struct TrackBlockPlace {
    double startX = 0.0, startZ = 0.0;
    double chord = 0.0;  // the chord's angle from +z, towards +x

    Vec3 operator()(const Vec3& v) const;
};
TrackBlockPlace PlaceOfBlock(double radius, double blockLength, int k);

// What the route shows of a kit: `blocks` consecutive blocks of one radius,
// each piece's object placed as the simulator places it, at the block's
// start on the track's arc (the first at the origin, heading +z), turned so
// that its z axis lies along the block's chord. For the kit's preview.
TrackMesh PlaceTrackBlocks(const TrackMesh& piece, double radius, double blockLength, int blocks);

}  // namespace kestrane
