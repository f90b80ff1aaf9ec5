// The curve that folds the surface: a warning naming the curve and a
// turning point that would not fold it, the bytes written all the same.
#include "terrain/terrain_generator.h"
#include "terrain/terrain_state.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

TerrainInput Grid(const char* area, const char* resolution, const char* curveX, const char* z1, const char* z2)
{
    TerrainInput input;
    const std::string a = area, r = resolution;
    input.areaX = a.substr(0, a.find(','));
    input.areaZ = a.substr(a.find(',') + 1);
    input.resolutionX = r.substr(0, r.find(','));
    input.resolutionZ = r.substr(r.find(',') + 1);
    input.curveX = curveX;
    input.curveZ1 = z1;
    input.curveZ2 = z2;
    return input;
}

TEST(CurveWarning, FoldsAndCollapsesAreNamedWithATurningPointThatAvoidsThem)
{
    test::TempFolder folder;
    TerrainGenerator generator;
    // The turning point on a row of nodes: that row meets at one point,
    // 200 triangles have no area, the rows beyond turn over.
    TerrainInput input = Grid("20,200", "100,1000", "2", "40", "140");
    TerrainResult result = generator.Generate(input, UiLanguage::English, folder.path());
    const CurveFolds folds = FindCurveFolds(generator.state());
    EXPECT_EQ(folds.withoutArea, 200u);
    EXPECT_GT(folds.turnedOver, 0u);
    ASSERT_FALSE(result.warnings.empty());
    EXPECT_EQ(result.warnings.front().field, "Curve X");
    EXPECT_NE(result.warnings.front().message.find("200 triangles without area"), std::string::npos);
    const std::string bytes = test::ReadFile(folder / "domb.b3d");

    // The turning point it names folds nothing.
    input.curveX = std::to_string(static_cast<long long>(folds.safeCurveX));
    generator.Generate(input, UiLanguage::English, folder.path());
    const CurveFolds safe = FindCurveFolds(generator.state());
    EXPECT_EQ(safe.withoutArea + safe.turnedOver, 0u);
    EXPECT_FALSE(safe.overItself);
    EXPECT_FALSE(CurveFoldWarning(safe, UiLanguage::English, "Curve X"));

    // The warned-about file is the one the same input always wrote: the
    // warning changes nothing in it.
    input.curveX = "2";
    result = generator.Generate(input, UiLanguage::Hungarian, folder.path());
    EXPECT_EQ(result.warnings.front().field, "Kanyar X");
    input.curveX = "2";
    generator.Generate(input, UiLanguage::English, folder.path());
    EXPECT_EQ(test::ReadFile(folder / "domb.b3d"), bytes);
}

TEST(CurveWarning, ASpiralAndAGentleCurve)
{
    TerrainGenerator generator;
    test::TempFolder folder;
    // A radius of 100 m over 501 columns of 10 m: eight turns.
    generator.Generate(Grid("1000,10000", "100,1000", "10", "200", "700"), UiLanguage::English, folder.path());
    const CurveFolds spiral = FindCurveFolds(generator.state());
    EXPECT_TRUE(spiral.overItself);
    EXPECT_GT(spiral.turnedOver, 0u);
    // A turning point beyond the surface's edge and less than a full turn.
    const TerrainResult gentle =
        generator.Generate(Grid("1000,10000", "100,1000", "60", "300", "600"), UiLanguage::English, folder.path());
    const CurveFolds none = FindCurveFolds(generator.state());
    EXPECT_EQ(none.withoutArea + none.turnedOver, 0u);
    EXPECT_FALSE(none.overItself);
    for (const GenerationWarning& warning : gentle.warnings)
        EXPECT_NE(warning.field, "Curve X") << warning.message;
}

}  // namespace
}  // namespace kestrane
