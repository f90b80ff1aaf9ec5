// Shaping the grid: the flat fill, peaks and valleys with their colours, and
// the curve with its straight continuation.
#include "terrain/terrain_generator.h"
#include "terrain/terrain_state.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace kestrane {
namespace {

class TerrainShapingTest : public ::testing::Test {
protected:
    // Reads `input` and shapes the grid, as a generation does before it
    // writes.
    void Shape(const TerrainInput& input)
    {
        ReadTerrainInput(input, UiLanguage::English, generator.state());
        ShapeGrid(generator.state());
    }
    const GridNode& Node(int i, int j) { return generator.state().node(i, j); }

    TerrainGenerator generator;
};

// A flat area of 1-metre cells, `cells` by `cells`.
TerrainInput Square(int cells)
{
    TerrainInput input;
    input.areaX = input.areaZ = input.resolutionX = input.resolutionZ = std::to_string(cells);
    return input;
}

void SetPeak(TerrainInput& input, int row, const char* x, const char* z, const char* height, const char* width,
             ColorRgb color = {40, 140, 40})
{
    TerrainPeakInput& peak = input.peaks[row - 1];
    peak.gridX = x;
    peak.gridZ = z;
    peak.height = height;
    peak.width = width;
    peak.color = color;
}

::testing::AssertionResult HasColor(const GridNode& node, int r, int g, int b)
{
    if (node.red == r && node.green == g && node.blue == b)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "colour " << int(node.red) << "," << int(node.green) << ","
                                         << int(node.blue) << ", expected " << r << "," << g << "," << b;
}

int Rounded(double value) { return static_cast<int>(std::nearbyint(value)); }  // ties to even

// ---------------------------------------------------------------------------
// Fill

TEST_F(TerrainShapingTest, FillSetsRowsAndColumnsOneToCountPlusOne)
{
    TerrainInput input = Square(4);
    input.areaX = "8";  // 2 m along X
    input.slopeX = "4";
    input.slopeZ = "-2";
    input.baseColor = {9, 8, 7};
    Shape(input);
    for (int i = 1; i <= 5; ++i) {
        for (int j = 1; j <= 5; ++j) {
            EXPECT_EQ(Node(i, j).x, (i - 1) * 2.0);
            EXPECT_EQ(Node(i, j).z, (j - 1) * 1.0);
            EXPECT_EQ(Node(i, j).y, (i - 1) * 1.0 + (j - 1) * -0.5);
            EXPECT_TRUE(HasColor(Node(i, j), 9, 8, 7));
        }
    }
    // Row 0, column 0 and everything beyond stay cleared.
    EXPECT_TRUE(HasColor(Node(0, 3), 0, 0, 0));
    EXPECT_TRUE(HasColor(Node(3, 0), 0, 0, 0));
    EXPECT_TRUE(HasColor(Node(6, 3), 0, 0, 0));
    EXPECT_TRUE(HasColor(Node(3, 6), 0, 0, 0));
}

// ---------------------------------------------------------------------------
// Peaks

TEST_F(TerrainShapingTest, PeakTable)
{
    TerrainInput input = Square(10);
    SetPeak(input, 1, "3", "3", "2", "2", {200, 100, 0});
    Shape(input);
    EXPECT_EQ(Node(3, 3).y, 2.0);
    EXPECT_TRUE(HasColor(Node(3, 3), 200, 100, 0));
    EXPECT_NEAR(Node(4, 3).y, 1.414070, 5e-7);
    EXPECT_TRUE(HasColor(Node(4, 3), 153, 112, 12));
    EXPECT_NEAR(Node(4, 4).y, 0.887774, 5e-7);
    EXPECT_TRUE(HasColor(Node(4, 4), 111, 122, 22));
    EXPECT_NEAR(Node(5, 3).y, -0.000407, 5e-7);
    EXPECT_TRUE(HasColor(Node(5, 3), 40, 140, 40));
    EXPECT_EQ(Node(6, 3).y, 0.0);
    EXPECT_TRUE(HasColor(Node(6, 3), 40, 140, 40));
    // The same on the other sides of the centre.
    EXPECT_EQ(Node(2, 3).y, Node(4, 3).y);
    EXPECT_EQ(Node(3, 4).y, Node(4, 3).y);
    EXPECT_EQ(Node(2, 2).y, Node(4, 4).y);
    EXPECT_TRUE(HasColor(Node(2, 2), 111, 122, 22));
    // The factor comes from the constant 1.571, not from pi / 2.
    EXPECT_EQ(Node(4, 4).y, std::cos((1.571 / 2) * std::sqrt(2.0)) * 2);
}

TEST_F(TerrainShapingTest, PeakTableInTheFile)
{
    TerrainInput input = Square(10);
    SetPeak(input, 1, "3", "3", "2", "2", {200, 100, 0});
    const test::TempFolder folder;
    generator.Generate(input, UiLanguage::Hungarian, folder.path());
    const auto lines = test::Lines(test::ReadFile(folder / "domb.b3d"));
    // Cell 3.3 starts at node (3, 3), the centre.
    const std::size_t cell33 = 8 + (2 * 10 + 2) * 15;
    ASSERT_EQ(lines[cell33], "[Meshbuilder];3.3");
    EXPECT_EQ(lines[cell33 + 1], "Vertex  2.000, 2.000, 2.000");
    EXPECT_EQ(lines[cell33 + 2], "Vertex  2.000, 1.414, 3.000");  // node (3, 4)
    EXPECT_EQ(lines[cell33 + 3], "Vertex  3.000, 0.888, 3.000");  // node (4, 4)
    EXPECT_EQ(lines[cell33 + 7], "Color 200,100,0");
    // Cell 5.3 starts on the rim: a tiny negative height, written -0.000.
    const std::size_t cell53 = 8 + (4 * 10 + 2) * 15;
    ASSERT_EQ(lines[cell53], "[Meshbuilder];5.3");
    EXPECT_EQ(lines[cell53 + 1], "Vertex  4.000,-0.000, 2.000");
    EXPECT_EQ(lines[cell53 + 7], "Color 40,140,40");
    // Cell 4.4 is coloured by its first corner, node (4, 4).
    EXPECT_EQ(lines[8 + (3 * 10 + 3) * 15 + 7], "Color 111,122,22");
}

TEST_F(TerrainShapingTest, WidthOneMovesOnlyTheCentreNoticeably)
{
    TerrainInput input = Square(6);
    SetPeak(input, 2, "3", "4", "10", "1", {0, 0, 0});
    Shape(input);
    EXPECT_EQ(Node(3, 4).y, 10.0);
    EXPECT_TRUE(HasColor(Node(3, 4), 0, 0, 0));
    for (const auto& [i, j] : {std::pair{2, 4}, {4, 4}, {3, 3}, {3, 5}}) {
        EXPECT_NEAR(Node(i, j).y, -0.000204 * 10, 1e-5);
        EXPECT_EQ(Node(i, j).y, std::cos(1.571) * 10);
        EXPECT_TRUE(HasColor(Node(i, j), 40, 140, 40));
    }
    EXPECT_EQ(Node(2, 3).y, 0.0);  // diagonal: out of reach
}

TEST_F(TerrainShapingTest, WidthZeroOrNegativeSwitchesTheRowOff)
{
    for (const char* width : {"0", "-3", ""}) {
        TerrainInput input = Square(6);
        SetPeak(input, 5, "3", "3", "7", width, {255, 255, 255});
        Shape(input);
        for (int i = 1; i <= 7; ++i)
            for (int j = 1; j <= 7; ++j) {
                EXPECT_EQ(Node(i, j).y, 0.0) << width;
                EXPECT_TRUE(HasColor(Node(i, j), 40, 140, 40)) << width;
            }
    }
}

TEST_F(TerrainShapingTest, NegativeHeightGivesAValleyOfTheSameShape)
{
    TerrainInput hill = Square(10);
    SetPeak(hill, 1, "5", "5", "3", "3");
    Shape(hill);
    std::vector<double> heights;
    for (int i = 1; i <= 11; ++i)
        for (int j = 1; j <= 11; ++j)
            heights.push_back(Node(i, j).y);

    TerrainInput valley = Square(10);
    SetPeak(valley, 1, "5", "5", "-3", "3");
    Shape(valley);
    std::size_t n = 0;
    for (int i = 1; i <= 11; ++i)
        for (int j = 1; j <= 11; ++j)
            EXPECT_EQ(Node(i, j).y, -heights[n++]);
    EXPECT_EQ(Node(5, 5).y, -3.0);
}

TEST_F(TerrainShapingTest, TwoPeaksAtOneCentre)
{
    TerrainInput input = Square(10);
    SetPeak(input, 2, "4", "4", "2", "2", {200, 100, 0});
    SetPeak(input, 6, "4", "4", "1.5", "3", {0, 0, 250});
    Shape(input);
    // Heights add; the later colour wins at the centre.
    EXPECT_EQ(Node(4, 4).y, 3.5);
    EXPECT_TRUE(HasColor(Node(4, 4), 0, 0, 250));
    // Around it the later peak tints what the earlier one left:
    // node (5, 4) was 153,112,12 after the first peak; f2 = cos(1.571/3).
    const double f2 = std::cos((1.571 / 3) * 1);
    EXPECT_NEAR(Node(5, 4).y, 1.414070 + f2 * 1.5, 5e-7);
    EXPECT_TRUE(HasColor(Node(5, 4), 153 + Rounded(f2 * (0 - 153)), 112 + Rounded(f2 * (0 - 112)),
                         12 + Rounded(f2 * (250 - 12))));
    EXPECT_TRUE(HasColor(Node(5, 4), 21, 15, 218));
}

TEST_F(TerrainShapingTest, NonIntegerCentreNeverHitsTheCentreRule)
{
    TerrainInput input = Square(6);
    SetPeak(input, 1, "2.5", "2.5", "4", "1", {200, 0, 0});
    Shape(input);
    const double f = std::cos((1.571 / 1) * std::sqrt(0.5));
    for (const auto& [i, j] : {std::pair{2, 2}, {2, 3}, {3, 2}, {3, 3}}) {
        EXPECT_EQ(Node(i, j).y, f * 4);
        EXPECT_TRUE(HasColor(Node(i, j), 40 + Rounded(f * 160), 140 + Rounded(f * -140), 40 + Rounded(f * -40)));
    }
    EXPECT_EQ(Node(1, 1).y, 0.0);  // d = 2.12 > 1
}

TEST_F(TerrainShapingTest, PeakOutsideTheGridShapesWhatIsWithinReach)
{
    TerrainInput input = Square(4);
    SetPeak(input, 3, "0", "3", "2", "2");  // one row before the first
    SetPeak(input, 4, "-50", "1e300", "9", "5");  // far out of reach
    Shape(input);
    EXPECT_NEAR(Node(1, 3).y, std::cos(1.571 / 2) * 2, 1e-15);
    EXPECT_NEAR(Node(2, 3).y, std::cos(1.571) * 2, 1e-15);
    EXPECT_EQ(Node(3, 3).y, 0.0);
    EXPECT_EQ(Node(0, 3).y, 0.0);  // row 0 is never shaped
}

TEST_F(TerrainShapingTest, WidePeakCoversTheWholeGrid)
{
    TerrainInput input = Square(20);
    SetPeak(input, 8, "11", "11", "1", "1e6");
    Shape(input);
    for (int i = 1; i <= 21; ++i)
        for (int j = 1; j <= 21; ++j) {
            const double d = std::sqrt((11.0 - i) * (11.0 - i) + (11.0 - j) * (11.0 - j));
            EXPECT_EQ(Node(i, j).y, d == 0 ? 1.0 : std::cos((1.571 / 1e6) * d));
        }
}

// ---------------------------------------------------------------------------
// Curve

// The example: 20 by 20 metres in 1-metre cells, turning point 10 cells
// right of the middle, bent from column 5 to column 10.
TerrainInput CurveExample()
{
    TerrainInput input = Square(20);
    input.curveX = "10";
    input.curveZ1 = "5";
    input.curveZ2 = "10";
    return input;
}

TEST_F(TerrainShapingTest, CurveTable)
{
    Shape(CurveExample());
    struct Row {
        int i, j;
        double x, z;
    };
    const Row table[] = {
        {11, 5, 10.0000, 4.0000},  {11, 6, 10.0499, 4.9979},  {11, 10, 11.2232, 8.7924},
        {11, 11, 11.7876, 9.6179}, {11, 21, 17.4320, 17.8727}, {1, 6, 0.0998, 5.9958},
        {21, 6, 20.0000, 4.0000},
    };
    for (const Row& row : table) {
        EXPECT_NEAR(Node(row.i, row.j).x, row.x, 5e-5) << row.i << "," << row.j;
        EXPECT_NEAR(Node(row.i, row.j).z, row.z, 5e-5) << row.i << "," << row.j;
    }
}

TEST_F(TerrainShapingTest, CurveBendsAndContinuesStraight)
{
    Shape(CurveExample());
    const double a = 2 * std::sin(1.0 / 2 / 10);
    const double cx = 20;
    // The bent columns: each row turns around the turning point and keeps
    // its distance from it.
    for (int j = 6; j <= 10; ++j) {
        const double theta = (j - 5) * a;
        for (int i = 1; i <= 21; ++i) {
            const double r = cx - (i - 1);
            EXPECT_EQ(Node(i, j).x, cx - std::cos(theta) * r) << i << "," << j;
            EXPECT_EQ(Node(i, j).z, (5 - 1) + std::sin(theta) * r) << i << "," << j;
            EXPECT_NEAR(std::hypot(Node(i, j).x - cx, Node(i, j).z - 4), std::abs(r), 1e-12);
        }
    }
    // Beyond: one cellZ per column in the direction of angle 6a.
    const double thetaEnd = 6 * a;
    for (int j = 11; j <= 21; ++j)
        for (int i = 0; i <= 21; ++i) {
            EXPECT_EQ(Node(i, j).x, Node(i, j - 1).x + std::sin(thetaEnd) * 1.0);
            EXPECT_EQ(Node(i, j).z, Node(i, j - 1).z + std::cos(thetaEnd) * 1.0);
        }
    // Columns up to z1 are not touched; heights never change.
    for (int i = 1; i <= 21; ++i) {
        for (int j = 1; j <= 5; ++j) {
            EXPECT_EQ(Node(i, j).x, i - 1.0);
            EXPECT_EQ(Node(i, j).z, j - 1.0);
        }
        for (int j = 1; j <= 21; ++j)
            EXPECT_EQ(Node(i, j).y, 0.0);
    }
}

TEST_F(TerrainShapingTest, CurveBendsRowZeroToo)
{
    Shape(CurveExample());
    const double a = 2 * std::sin(0.05);
    // Row 0 lies one cell before the origin: r = 21; its column 5 is never
    // filled, so it turns around z = 0.
    EXPECT_EQ(Node(0, 5).x, 0.0);
    EXPECT_NEAR(Node(0, 6).x, 20 - std::cos(a) * 21, 1e-9);
    EXPECT_NEAR(Node(0, 6).z, 0 + std::sin(a) * 21, 1e-9);
    EXPECT_NE(Node(0, 21).x, 0.0);
}

TEST_F(TerrainShapingTest, NegativeCurveTurnsTheOtherWay)
{
    Shape(CurveExample());
    std::vector<GridNode> positive;
    for (int i = 1; i <= 21; ++i)
        for (int j = 1; j <= 21; ++j)
            positive.push_back(Node(i, j));

    TerrainInput input = CurveExample();
    input.curveX = "-10";
    Shape(input);
    EXPECT_NEAR(Node(11, 6).x, 9.9501, 5e-5);
    EXPECT_NEAR(Node(11, 6).z, 4.9979, 5e-5);
    EXPECT_NEAR(Node(11, 21).x, 20 - 17.4320, 5e-5);
    EXPECT_NEAR(Node(11, 21).z, 17.8727, 5e-5);
    // Mirror image about the X middle line (x = 10): row i takes the place
    // of row 22 - i.
    for (int i = 1; i <= 21; ++i)
        for (int j = 1; j <= 21; ++j) {
            const GridNode& mirror = positive[(21 - i) * 21 + (j - 1)];
            EXPECT_NEAR(Node(i, j).x, 20 - mirror.x, 1e-9) << i << "," << j;
            EXPECT_NEAR(Node(i, j).z, mirror.z, 1e-9) << i << "," << j;
        }
}

TEST_F(TerrainShapingTest, CurveToTheFarEdgeHasNoStraightPart)
{
    TerrainInput input = CurveExample();
    input.curveZ2 = "20";  // equal to the Z resolution
    Shape(input);
    const double a = 2 * std::sin(0.05);
    for (int j = 6; j <= 21; ++j)
        for (int i = 0; i <= 21; ++i) {
            const double r = 20 - (i - 1.0);
            const double z1 = i == 0 ? 0.0 : 4.0;
            EXPECT_EQ(Node(i, j).x, 20 - std::cos((j - 5) * a) * r) << i << "," << j;
            EXPECT_EQ(Node(i, j).z, z1 + std::sin((j - 5) * a) * r) << i << "," << j;
        }
}

TEST_F(TerrainShapingTest, CurveConditionsThatSkipIt)
{
    struct Case {
        const char *x, *z1, *z2;
    };
    const Case skipped[] = {
        {"0", "5", "10"},   // no turning point
        {"10", "0", "10"},  // no start
        {"10", "5", "0"},   // no end
        {"10", "10", "5"},  // end before start
        {"10", "5", "5"},   // end at start
        {"10", "5", "20.5"}, // end beyond the grid (compared unrounded)
        {"10", "-1", "8"},
    };
    for (const Case& c : skipped) {
        TerrainInput input = Square(20);
        input.curveX = c.x;
        input.curveZ1 = c.z1;
        input.curveZ2 = c.z2;
        Shape(input);
        EXPECT_FALSE(CurveApplies(generator.state())) << c.x << " " << c.z1 << " " << c.z2;
        for (int i = 0; i <= 21; ++i)
            for (int j = 1; j <= 21; ++j)
                EXPECT_EQ(Node(i, j).x, i == 0 ? 0.0 : i - 1.0) << c.x << " " << c.z1 << " " << c.z2;
    }
}

TEST_F(TerrainShapingTest, CurveColumnsAreRoundedHalfToEven)
{
    TerrainInput input = Square(20);
    input.curveX = "10";
    input.curveZ1 = "4.5";   // column 4
    input.curveZ2 = "10.5";  // column 10
    Shape(input);
    EXPECT_EQ(Node(11, 4).z, 3.0);
    EXPECT_EQ(Node(11, 5).x, 20 - std::cos(2 * std::sin(0.05)) * 10);
    const double thetaEnd = 7 * 2 * std::sin(0.05);
    EXPECT_EQ(Node(11, 12).x, Node(11, 11).x + std::sin(thetaEnd));
}

TEST_F(TerrainShapingTest, CurveStartingBeforeColumnOneTurnsAroundZeroZ)
{
    TerrainInput input = Square(20);
    input.curveX = "10";
    input.curveZ1 = "0.4";  // column 0, never filled
    input.curveZ2 = "3";
    Shape(input);
    const double a = 2 * std::sin(0.05);
    EXPECT_EQ(Node(11, 1).x, 20 - std::cos(a) * 10);
    EXPECT_EQ(Node(11, 1).z, 0 + std::sin(a) * 10);
    EXPECT_EQ(Node(11, 0).x, 0.0);
}

TEST_F(TerrainShapingTest, OblongCellsAdvanceOneCellZPerStraightColumn)
{
    TerrainInput input = Square(20);
    input.areaZ = "60";  // 3-metre cells along Z
    input.curveX = "4";
    input.curveZ1 = "5";
    input.curveZ2 = "8";
    Shape(input);
    for (int i = 1; i <= 21; ++i)
        for (int j = 10; j <= 21; ++j)
            EXPECT_NEAR(std::hypot(Node(i, j).x - Node(i, j - 1).x, Node(i, j).z - Node(i, j - 1).z), 3.0, 1e-12);
}

TEST_F(TerrainShapingTest, PeaksComeBeforeTheCurveAndKeepTheirHeights)
{
    TerrainInput flat = CurveExample();
    TerrainInput hilly = CurveExample();
    SetPeak(hilly, 1, "11", "8", "5", "3", {250, 0, 0});
    Shape(hilly);
    const GridNode top = Node(11, 8);
    Shape(flat);
    EXPECT_EQ(top.y, 5.0);
    EXPECT_TRUE(HasColor(top, 250, 0, 0));
    EXPECT_EQ(top.x, Node(11, 8).x);
    EXPECT_EQ(top.z, Node(11, 8).z);
}

// A grid large enough to be shaped in two bands of rows on two threads is
// the one the steps make over all its rows in turn, bit for bit: peaks
// across the band boundary, a curve, row 0 included.
TEST_F(TerrainShapingTest, TwoBandsOfRowsShapeTheSameGridAsOne)
{
    TerrainInput input = Square(100);
    input.areaZ = input.resolutionZ = "400";
    input.curveX = "30";
    input.curveZ1 = "100";
    input.curveZ2 = "250";
    SetPeak(input, 1, "51", "60", "12", "30", {200, 20, 20});
    SetPeak(input, 2, "50.5", "300", "-7", "45", {20, 20, 200});
    SetPeak(input, 3, "90", "380", "4", "8");
    Shape(input);
    std::vector<GridNode> banded;
    for (int i = 0; i < kGridRows; ++i)
        for (int j = 0; j < kGridColumns; ++j)
            banded.push_back(Node(i, j));

    TerrainGenerator whole;
    TerrainGeneratorState& state = whole.state();
    ReadTerrainInput(input, UiLanguage::English, state);
    FillGrid(state);
    for (int k = 1; k <= kPeakCount; ++k)
        ApplyPeak(state, k);
    ApplyCurve(state);
    std::size_t n = 0;
    for (int i = 0; i < kGridRows; ++i) {
        for (int j = 0; j < kGridColumns; ++j, ++n) {
            const GridNode& a = banded[n];
            const GridNode& b = state.node(i, j);
            ASSERT_TRUE(std::memcmp(&a.x, &b.x, 3 * sizeof(double)) == 0 && HasColor(a, b.red, b.green, b.blue))
                << "node " << i << "," << j;
        }
    }
}

}  // namespace
}  // namespace kestrane
