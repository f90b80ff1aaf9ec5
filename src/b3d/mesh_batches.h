// Turns a B3D model into flat triangle lists for drawing (the preview draws
// them; no graphics library is needed to build them): one batch per
// texture and sidedness, each vertex with its position, face normal, colour
// and texture coordinate. Built once per object; drawing only uploads and
// draws these arrays.
#pragma once

#include "b3d/b3d_model.h"

#include <array>
#include <string>
#include <vector>

namespace kestrane::preview {

// One drawn vertex, laid out for a vertex buffer.
struct DrawVertex {
    std::array<float, 3> position;  // right-handed: x right, y up, z towards the viewer
    std::array<float, 3> normal;    // of the face, pointing out of its front
    std::array<float, 4> color;     // 0 to 1
    std::array<float, 2> texCoord;
};

// Triangles sharing a texture (empty: none) and a sidedness.
struct Batch {
    std::string texture;  // as named in the file, UTF-8
    bool twoSided = false;
    std::vector<DrawVertex> vertices;  // three per triangle
};

struct Bounds {
    std::array<float, 3> low{0, 0, 0};
    std::array<float, 3> high{0, 0, 0};
    bool empty = true;
};

struct MeshBatches {
    std::vector<Batch> batches;
    Bounds bounds;
    std::size_t triangleCount = 0;
};

// The colour a face without a colour of its own is drawn in.
inline constexpr std::array<float, 4> kNeutralColor{0.72f, 0.72f, 0.70f, 1.0f};

// Splits every face into a fan of triangles. B3D is left-handed (z forward)
// with faces clockwise seen from the front; the batches are right-handed
// (z negated) and wind each triangle counter-clockwise seen from the front,
// as OpenGL culls by default. Faces with fewer than three corners, naming
// missing vertices or with a corner beyond the range of float are left out
// (such vertices out of the bounds too, which thus stay finite). `textured`
// tells which texture names have a bitmap: a face whose texture is missing
// keeps its colour, or the neutral colour when it has none.
template <typename HasBitmap>
MeshBatches BuildBatches(const b3d::Model& model, HasBitmap textured);

}  // namespace kestrane::preview

#include "b3d/mesh_batches_impl.h"
