// How long the simulator's object loader takes over a B3D object, from its
// counts: a model fitted to the loader's own times on this machine
// (README: "Terrain for a route: the simulator layout").
//
// The loader spends, besides a fixed time per face line (most of it
// comparing the file's path with the names of known faulty objects; a face
// of four corners costs as one of three) and per vertex line,
// - for every section, a copy of the whole object read so far (its faces,
//   vertices and materials grow by one section at a time): sections times
//   the object's faces and vertices;
// - for every face, a pass over the faces its section already has (a check
//   for two-sided faces given twice), which costs more for a two-sided face
//   than for a one-sided one: the square of a section's faces.
#pragma once

#include "b3d/b3d_model.h"
#include "core/types.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kestrane {

// What the load time depends on, for one object.
struct LoadCounts {
    std::size_t sections = 0;
    std::size_t vertices = 0;
    std::size_t faces = 0;  // Face and Face2 lines, whatever their corners
    double faceSquares = 0.0;      // the sum over sections of (its faces)²
    double twoSidedSquares = 0.0;  // the sum over sections of (its two-sided faces)²

    // Adds a section of `faces` faces, `twoSided` of them two-sided.
    void AddSection(std::size_t vertexCount, std::size_t faceCount, std::size_t twoSided);
};

// The counts of a model read from one object file.
LoadCounts CountLoad(const b3d::Model& model);

// The loader's expected time for one object, in seconds.
double EstimateLoadSeconds(const LoadCounts& counts);

// An object the loader takes longer than this over draws a warning.
inline constexpr double kSlowLoadSeconds = 10.0;

// "0.42", "3.1", "25": seconds with two significant digits (at least one
// decimal below 10 s).
std::string FormatLoadSeconds(double seconds);

// What a window's status adds after a generation: "; a szimulátor kb. 4.2 s
// alatt tölti be" / "; the simulator loads it in about 4.2 s".
std::string LoadEstimateStatus(double seconds, UiLanguage language);

}  // namespace kestrane
