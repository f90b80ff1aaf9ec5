// What the simulator handles well in one object: at most 65,534 vertices
// (the most its documentation allows) and not too many mesh sections (its
// loader's time grows with the square of the sections: 10,000 cells of
// terrain load in about 24 s; above 32,768 coloured sections colours are
// lost).
#pragma once

#include "b3d/b3d_reader.h"
#include "core/errors.h"
#include "core/types.h"

#include <cstddef>
#include <filesystem>
#include <optional>

namespace kestrane {

inline constexpr std::size_t kSimulatorMostVertices = b3d::kMostVertices;  // 65,534
inline constexpr std::size_t kSimulatorMostSections = 10000;

struct ObjectSize {
    std::size_t sections = 0;  // "[MeshBuilder]" lines
    std::size_t vertices = 0;  // "Vertex" lines
};

// Counts the sections and vertices of a written B3D file (any case of the
// command words). A file that is not a regular file (a device, a pipe) or
// cannot be read counts nothing.
ObjectSize CountObjectSize(const std::filesystem::path& file);

enum class ObjectKind { House, Terrain };

// The warning for an object above either limit, naming the counts and what
// to do; nothing when it is within both.
std::optional<GenerationWarning> SimulatorLimitWarning(const ObjectSize& size, ObjectKind kind, UiLanguage language);

}  // namespace kestrane
