// Mesh sections that hold one textured face, the shape of most walls and
// roof faces: title comment, header line, corners in order, face line, the
// optional colour and the texture block.
#pragma once

#include "b3d/b3d_writer.h"

#include <span>
#include <string>
#include <vector>

namespace kestrane {

// How the texture is laid on a face.
enum class TextureShape {
    Triangle,    // EmitTextureTriangle
    Quad,        // EmitTextureQuad
    QuadSloped,  // EmitTextureQuadSloped, `value` is the inset of the top edge
    Pentagon,    // EmitTexturePentagon, `value` is the shoulder height
    Listed,      // written line by line from `coordinates`
};

struct FaceTexture {
    TextureShape shape;
    const char* file;
    double value = 0.0;
    std::vector<std::string> coordinates = {};  // "vertex,u,v" of each Coordinates line
};

struct FaceSection {
    LocalText title;
    const char* header;
    std::vector<Vec3> vertices;
    const char* face;
    FaceTexture texture;
};

void WriteTexture(B3dWriter& out, const FaceTexture& texture);

// `color` is null when the colour of these faces is not in use.
void WriteFaceSections(B3dWriter& out, UiLanguage language, const ColorRgb* color,
                       std::span<const FaceSection> sections);

}  // namespace kestrane
