// The preview's triangle batches, built without any graphics library: the
// same triangles as the faces, wound for OpenGL, grouped by texture and
// sidedness.
#include "b3d/b3d_reader.h"
#include "b3d/mesh_batches.h"
#include "house/house_generator.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kestrane {
namespace {

using preview::BuildBatches;

std::array<float, 3> Cross(const std::array<float, 3>& a, const std::array<float, 3>& b, const std::array<float, 3>& c)
{
    const float ux = b[0] - a[0], uy = b[1] - a[1], uz = b[2] - a[2];
    const float vx = c[0] - a[0], vy = c[1] - a[1], vz = c[2] - a[2];
    return {uy * vz - uz * vy, uz * vx - ux * vz, ux * vy - uy * vx};
}

TEST(MeshBatches, AQuadFacingUsIsTwoCounterClockwiseTrianglesWithItsColour)
{
    // Corners clockwise seen from the front (from -z in the file), as the
    // simulator shows one-sided faces.
    const auto model = b3d::ReadB3d("[MeshBuilder]\nvertex 0,0,0\nvertex 0,1,0\nvertex 1,1,0\nvertex 1,0,0\n"
                                    "face 0,1,2,3\ncolor 255,0,0\n");
    const auto mesh = BuildBatches(model, [](const std::string&) { return false; });
    ASSERT_EQ(mesh.batches.size(), 1u);
    EXPECT_FALSE(mesh.batches[0].twoSided);
    ASSERT_EQ(mesh.batches[0].vertices.size(), 6u);
    EXPECT_EQ(mesh.triangleCount, 2u);
    for (std::size_t t = 0; t < 6; t += 3) {
        const auto& v = mesh.batches[0].vertices;
        // Flipped to right-handed, the front faces +z: counter-clockwise.
        EXPECT_GT(Cross(v[t].position, v[t + 1].position, v[t + 2].position)[2], 0.0f);
        EXPECT_NEAR(v[t].normal[2], 1.0f, 1e-6);
        EXPECT_EQ(v[t].color, (std::array<float, 4>{1.0f, 0.0f, 0.0f, 1.0f}));
    }
    EXPECT_FALSE(mesh.bounds.empty);
    EXPECT_EQ(mesh.bounds.high, (std::array<float, 3>{1.0f, 1.0f, 0.0f}));
}

TEST(MeshBatches, TexturesWithBitmapsAndTwoSidedFacesGetTheirOwnBatches)
{
    const auto model = b3d::ReadB3d("[MeshBuilder]\nvertex 0,0,0\nvertex 0,1,0\nvertex 1,1,0\nface2 0,1,2\n"
                                    "[Texture]\nload a.bmp\n"
                                    "[MeshBuilder]\nvertex 0,0,0\nvertex 0,1,0\nvertex 1,1,0\nface 0,1,2\n"
                                    "[Texture]\nload missing.bmp\n"
                                    "[MeshBuilder]\nvertex 0,0,0\nvertex 0,1,0\nvertex 9,1,0\nface 0,1,7\n");
    const auto mesh = BuildBatches(model, [](const std::string& name) { return name == "a.bmp"; });
    ASSERT_EQ(mesh.batches.size(), 2u);
    EXPECT_EQ(mesh.batches[0].texture, "a.bmp");
    EXPECT_TRUE(mesh.batches[0].twoSided);
    // Without its bitmap the face is drawn in the neutral colour, untextured.
    EXPECT_EQ(mesh.batches[1].texture, "");
    EXPECT_EQ(mesh.batches[1].vertices.front().color, preview::kNeutralColor);
    // The face naming a missing vertex is left out; its vertices count for the bounds.
    EXPECT_EQ(mesh.triangleCount, 2u);
    EXPECT_EQ(mesh.bounds.high[0], 9.0f);
}

TEST(MeshBatches, AGeneratedHouseGivesOneTriangleFanPerFace)
{
    test::TempFolder folder;
    const HouseResult house = GenerateHouse(HouseInput{}, UiLanguage::English, folder.path(), "");
    const b3d::Model model = b3d::ReadB3dFile(house.path);
    std::size_t triangles = 0;
    for (const b3d::Section& section : model.sections)
        for (const b3d::Face& face : section.faces)
            triangles += section.Corners(face).size() - 2;
    const auto mesh = BuildBatches(model, [](const std::string&) { return true; });
    EXPECT_EQ(mesh.triangleCount, triangles);
    std::size_t drawn = 0;
    for (const auto& batch : mesh.batches) {
        EXPECT_EQ(batch.vertices.size() % 3, 0u);
        drawn += batch.vertices.size() / 3;
        for (const auto& vertex : batch.vertices)
            for (int k = 0; k < 3; ++k) {
                EXPECT_GE(vertex.position[k], mesh.bounds.low[k]);
                EXPECT_LE(vertex.position[k], mesh.bounds.high[k]);
            }
    }
    EXPECT_EQ(drawn, triangles);
}

}  // namespace
}  // namespace kestrane
