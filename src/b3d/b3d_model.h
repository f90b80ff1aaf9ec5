// The mesh model of a B3D object as read from its text: what a preview draws
// and what `kestrane check` counts.
//
// Coordinates are metres in the object's own frame: x right, y up, z forward.
// Every Cube, Cylinder, Translate, Rotate and Scale statement has already been
// applied, so the vertices are final.
#pragma once

#include "core/types.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace kestrane::b3d {

// A texture coordinate: u across the image left to right, v down from its top.
struct TexCoord {
    double u = 0.0;
    double v = 0.0;

    friend bool operator==(const TexCoord&, const TexCoord&) = default;
};

// One polygon. Its corners are `count` vertex indices stored in
// Section::corners from `first` on, in the order of the Face line (clockwise
// seen from the front).
struct Face {
    std::uint32_t first = 0;
    std::uint32_t count = 0;
    bool twoSided = false;  // Face2: visible from both sides
};

// One [MeshBuilder] section.
struct Section {
    std::size_t line = 0;  // the line that started it

    std::vector<Vec3> vertices;
    std::vector<std::uint32_t> corners;  // the corners of all faces, face after face
    std::vector<Face> faces;

    ColorRgb color{255, 255, 255, 255};  // opaque white unless a Color line set it
    bool hasColor = false;  // a Color line set `color`

    ColorRgb emissive{0, 0, 0, 255};  // the EmissiveColor line's, when `hasEmissive`
    bool hasEmissive = false;

    // The title of the comment line just before the [MeshBuilder] line
    // (";------Front wall------": "Front wall"), UTF-8; empty: none.
    std::string comment;

    std::string texture;              // the file of the Load line, UTF-8; empty: none
    std::string nightTexture;         // its second file, the night-time texture; empty: none
    std::vector<TexCoord> texCoords;  // empty, or one per vertex ((0,0) where no line gave one)

    // The vertex indices of one face of this section.
    std::span<const std::uint32_t> Corners(const Face& face) const
    {
        return {corners.data() + face.first, face.count};
    }
};

// A problem or a warning found while reading. Line 0 concerns the file as a
// whole; lines count from 1.
struct Message {
    std::size_t line = 0;
    std::string text;  // UTF-8, starts in lower case, no final full stop
};

// How many problems, and how many warnings, a Model lists; the rest are
// only counted.
inline constexpr std::size_t kMostListedMessages = 1000;

// A whole object.
struct Model {
    std::vector<Section> sections;
    std::size_t vertexCount = 0;  // over all sections
    std::size_t faceCount = 0;    // over all sections

    // Lines that could not be interpreted (each skipped, reading went on),
    // the first kMostListedMessages of them; `problemCount` counts them all.
    std::vector<Message> problems;
    std::size_t problemCount = 0;
    // Things a route builder should know that do not make the file wrong,
    // listed and counted the same way.
    std::vector<Message> warnings;
    std::size_t warningCount = 0;

    // Counts a problem or a warning, and lists it while the list has room.
    void AddProblem(Message message) { Add(problems, problemCount, std::move(message)); }
    void AddWarning(Message message) { Add(warnings, warningCount, std::move(message)); }

    static void Add(std::vector<Message>& list, std::size_t& count, Message message)
    {
        ++count;
        if (list.size() < kMostListedMessages)
            list.push_back(std::move(message));
    }
};

}  // namespace kestrane::b3d
