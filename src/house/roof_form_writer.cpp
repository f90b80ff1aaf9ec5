// Writes the faces of a roof form (roof_forms.h): the gable tops, the
// soffit, the fillers and the roof, each face a mesh section of its own, and
// leaves the eave corners for the gutters and the downpipe.
#include "house/house_generator.h"

#include "house/roof_forms.h"

#include "core/numbers.h"
#include "house/house_constants.h"

#include <span>
#include <string>

namespace kestrane {

namespace {

// "face 0,1,...,n-1" or "face2 ...".
std::string FaceLine(std::size_t corners, bool twoSided)
{
    std::string line = twoSided ? "face2 " : "face ";
    for (std::size_t i = 0; i < corners; ++i) {
        if (i > 0)
            line += ',';
        AppendInt(line, static_cast<long long>(i));
    }
    return line;
}

void WriteFormFaces(B3dWriter& out, UiLanguage language, std::span<const FormFace> faces, bool twoSided,
                    const ColorRgb* color, const HouseParams& p)
{
    for (const FormFace& face : faces) {
        out.WriteLine(face.title(language));
        out.WriteLine("[meshbuilder]");
        for (const Vec3& v : face.points)
            out.EmitVertex(v);
        out.WriteLine(FaceLine(face.points.size(), twoSided));
        if (face.texture == FormTexture::None) {
            out.EmitColorUnpadded(kSoffitColor);
            out.WriteLine("");
            continue;
        }
        if (color)
            out.EmitColor(*color);
        out.EmitTextureStart(face.bitmap);
        const std::vector<TexturePoint> coordinates = FormTextureCoordinates(face, p);
        for (std::size_t i = 0; i < coordinates.size(); ++i) {
            std::string vertexUv;
            AppendInt(vertexUv, static_cast<long long>(i));
            vertexUv += ',';
            AppendReal(vertexUv, coordinates[i].u, 0);
            vertexUv += ',';
            AppendReal(vertexUv, coordinates[i].v, 0);
            out.EmitCoordinates(vertexUv);
        }
        out.WriteLine("");
    }
}

}  // namespace

RoofLeft HouseGenerator::WriteRoofForm()
{
    const RoofFormFaces faces = RoofFormGeometry(params_);
    WriteFormFaces(out_, language_, faces.gableTops, false, WallColor(), params_);
    WriteFormFaces(out_, language_, faces.soffit, false, nullptr, params_);
    WriteFormFaces(out_, language_, faces.fillers, false, nullptr, params_);
    WriteFormFaces(out_, language_, faces.roof, !faces.hipped, RoofColor(), params_);
    // The eave lies at wall height, where the downpipe starts.
    return {faces.eave, 0.0, dim_.wallHeight};
}

}  // namespace kestrane
