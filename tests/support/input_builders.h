// Inputs and geometry checks that tests of several folders share: houses
// and terrains unlike the defaults (so a check cannot pass by an accident
// of the default numbers), and the plane of a face.
#pragma once

#include "core/types.h"
#include "house/house_params.h"
#include "terrain/terrain_generator.h"

#include <cmath>
#include <vector>

namespace kestrane::test {

// A house unlike the default one in every dimension, the hip depth too.
inline void OddHouse(HouseInput& in)
{
    in.width = "5000";
    in.length = "10000";
    in.wallHeight = "3000";
    in.roofHeight = "6500";
    in.roofOverhang = "700";
    in.hipDepth = "2500";
}

// Another one, for the roof forms (whose parameters are set beside it).
inline void OddFormHouse(HouseInput& in)
{
    in.width = "5400";
    in.length = "9600";
    in.wallHeight = "2800";
    in.roofHeight = "6900";
    in.roofOverhang = "650";
}

// A terrain whose every group of inputs differs from the window's defaults.
inline TerrainInput UnusualTerrain()
{
    TerrainInput input;
    input.areaX = "100";
    input.resolutionZ = "40";
    input.offsetY = "-2";
    input.curveX = "10";
    input.curveZ1 = "5";
    input.curveZ2 = "30";
    input.texture = "";
    input.useColor = false;
    input.baseColor = {10, 20, 30};
    input.peaks[0] = {"3", "4", "5", "6", {200, 100, 50}};
    input.peaks[2] = {"7", "8", "-9", "2", {40, 140, 40}};
    return input;
}

// Distance of `p` from the plane through the first three of `points`.
inline double DistanceFromPlane(const std::vector<Vec3>& points, const Vec3& p)
{
    const Vec3 a = points.at(0);
    const Vec3 u{points.at(1).x - a.x, points.at(1).y - a.y, points.at(1).z - a.z};
    const Vec3 v{points.at(2).x - a.x, points.at(2).y - a.y, points.at(2).z - a.z};
    const Vec3 n{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
    const Vec3 d{p.x - a.x, p.y - a.y, p.z - a.z};
    return std::abs(n.x * d.x + n.y * d.y + n.z * d.z) / std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
}

}  // namespace kestrane::test
