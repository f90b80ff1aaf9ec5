#include "house/face_sections.h"

namespace kestrane {

void WriteTexture(B3dWriter& out, const FaceTexture& texture)
{
    switch (texture.shape) {
    case TextureShape::Triangle: out.EmitTextureTriangle(texture.file); break;
    case TextureShape::Quad: out.EmitTextureQuad(texture.file); break;
    case TextureShape::QuadSloped: out.EmitTextureQuadSloped(texture.file, texture.value); break;
    case TextureShape::Pentagon: out.EmitTexturePentagon(texture.file, texture.value); break;
    case TextureShape::Listed:
        out.EmitTextureStart(texture.file);
        for (const std::string& coordinate : texture.coordinates)
            out.EmitCoordinates(coordinate);
        out.WriteLine("");
        break;
    }
}

void WriteFaceSections(B3dWriter& out, UiLanguage language, const ColorRgb* color,
                       std::span<const FaceSection> sections)
{
    for (const FaceSection& section : sections) {
        out.WriteLine(section.title(language));
        out.WriteLine(section.header);
        for (const Vec3& v : section.vertices)
            out.EmitVertex(v);
        out.WriteLine(section.face);
        if (color)
            out.EmitColor(*color);
        WriteTexture(out, section.texture);
    }
}

}  // namespace kestrane
