// libFuzzer harness of the object readers: any bytes are read from memory as
// a B3D file, as a CSV object and as OBJ (with the same bytes as its
// material library), and each model that comes back must hold together.
//
// Besides the sanitizers' findings (out-of-bounds access, overflow, leaks) and
// libFuzzer's own limits (time per input, memory), the harness stops on a
// model whose parts disagree: a face corner naming a vertex its section lacks,
// a face reaching past the stored corners, texture coordinates that are not
// one per vertex, or totals that are not the sums over the sections.
#include "b3d/b3d_reader.h"
#include "b3d/obj_reader.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

void Require(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "b3d reader: inconsistent model: %s\n", what);
        std::abort();
    }
}

void CheckModel(const kestrane::b3d::Model& model)
{
    std::size_t vertices = 0;
    std::size_t faces = 0;
    for (const kestrane::b3d::Section& section : model.sections) {
        for (const kestrane::b3d::Face& face : section.faces) {
            Require(std::size_t{face.first} + face.count <= section.corners.size(),
                    "a face reaches past the stored corners");
            for (const std::uint32_t corner : section.Corners(face))
                Require(corner < section.vertices.size(), "a face corner names a missing vertex");
        }
        Require(section.texCoords.empty() || section.texCoords.size() == section.vertices.size(),
                "texture coordinates are not one per vertex");
        vertices += section.vertices.size();
        faces += section.faces.size();
    }
    Require(model.vertexCount == vertices, "the vertex total is not the sum over the sections");
    Require(model.faceCount == faces, "the face total is not the sum over the sections");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckModel(kestrane::b3d::ReadB3d(text));
    CheckModel(kestrane::b3d::ReadCsv(text));
    CheckModel(kestrane::b3d::ReadObj(text, [text](const std::string&) { return std::optional<std::string>(text); }));
    return 0;
}
