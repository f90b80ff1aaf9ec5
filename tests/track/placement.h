// The geometry the track tests hold the pieces against, written from the
// B3D route format's rules and not from the generator's code: where the
// simulator puts a block's object, and the way back from a point of a bent
// piece to its track coordinates.
#pragma once

#include "core/types.h"

#include <cmath>

namespace kestrane::test {

struct TrackPoint {
    double x, y, s;
};

// A point of the object of a block of `radius` and `length`, back in track
// coordinates: turned back by L/2R, then x from its distance to the centre
// (R, 0) and s from its angle there.
inline TrackPoint Unbend(const Vec3& v, double radius, double length)
{
    if (radius == 0.0)
        return {v.x, v.y, v.z};
    const double turn = length / (2 * radius);
    const double x = v.x * std::cos(turn) + v.z * std::sin(turn);
    const double z = -v.x * std::sin(turn) + v.z * std::cos(turn);
    const double distance = std::hypot(x - radius, z);
    const double trackX = radius > 0 ? radius - distance : radius + distance;
    const double arm = radius - trackX;  // signed, as R - x
    return {trackX, v.y, radius * std::atan2(z / arm, (radius - x) / arm)};
}

// The world position of object point `v` of block `k` of a run of blocks
// of one radius starting at the origin heading +z: the block starts on the
// arc at s = kL, its object turned so that its z axis lies along the chord
// (the start direction turned by L/2R).
inline Vec3 Placed(const Vec3& v, int k, double radius, double length)
{
    double heading = 0.0, startX = 0.0, startZ = k * length;
    if (radius != 0.0) {
        heading = k * length / radius;
        startX = radius * (1 - std::cos(heading));
        startZ = radius * std::sin(heading);
        heading += length / (2 * radius);
    }
    return {startX + v.x * std::cos(heading) + v.z * std::sin(heading), v.y,
            startZ - v.x * std::sin(heading) + v.z * std::cos(heading)};
}

inline Vec3 Minus(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 Cross(const Vec3& a, const Vec3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double Distance(const Vec3& a, const Vec3& b) { return std::hypot(a.x - b.x, a.y - b.y, a.z - b.z); }

}  // namespace kestrane::test
