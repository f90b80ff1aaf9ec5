// kestrane terrain with a heightmap: the options, the report line, and
// refusals naming the option with nothing written.
#include "support/test_support.h"
#include "test_rasters.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

using test::Lines;
using test::ReadFile;
using test::RunCli;
using test::TempFolder;

class HeightmapCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::RasterLayout layout;
        layout.columns = 20;
        layout.rows = 20;
        layout.transform = std::array<double, 6>{0, 2, 0, 40, 0, -2};
        // Value = the cell's row counted from the south, 0 to 19.
        test::WriteRaster(folder / "dem.tif", layout, [](int, int row) { return 19 - row; });
    }
    TempFolder folder;
};

TEST_F(HeightmapCommandTest, HeightsScaledAndOffsetWithAReportLine)
{
    const auto result = RunCli({"terrain", "--lang", "en", "--area", "4,4", "--resolution", "2,2", "--texture", "",
                                "--no-color", "--heightmap", "dem.tif", "--heightmap-origin", "11,5",
                                "--height-scale", "2", "--height-offset=-3"},
                               folder.path());
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "Domb.B3d file generating successfull\n"
                          "Heightmap: 9 nodes, 0 filled from neighbours (0 outside the raster).\n");
    EXPECT_EQ(result.err, "");
    // z = 5, 7, 9 m lie on cell rows 2, 3 and 4 from the south (centres
    // 5, 7, 9 m): heights 2 * row - 3.
    const auto lines = Lines(ReadFile(folder / "domb.b3d"));
    EXPECT_EQ(lines[9], "Vertex  0.000, 1.000, 0.000");
    EXPECT_EQ(lines[10], "Vertex  0.000, 3.000, 2.000");
    EXPECT_EQ(lines[11], "Vertex  2.000, 3.000, 2.000");
    EXPECT_EQ(lines[12], "Vertex  2.000, 1.000, 0.000");
}

TEST_F(HeightmapCommandTest, RefusalsNameTheOptionAndWriteNothing)
{
    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"--heightmap", "missing.tif"}, "--heightmap: Heightmap file: \"missing.tif\" cannot be opened as a raster"},
        {{"--heightmap", "dem.tif", "--heightmap-origin", "100,0"},
         "--heightmap-origin: Heightmap origin: every node of the terrain lies outside the raster.\n"},
        {{"--heightmap", "dem.tif", "--height-scale", "0"}, "--height-scale: Height scale: must not be 0"},
        {{"--heightmap", "dem.tif", "--height-offset", "1,5"},
         "--height-offset: Height offset: \"1,5\" is not a valid number."},
        {{"--heightmap", "dem.tif", "--pixel-size", "-2"}, "--pixel-size: Pixel size: must be greater than 0"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"terrain", "--lang", "en"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const auto result = RunCli(args, folder.path());
        EXPECT_EQ(result.exitCode, 2) << c.message;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_FALSE(std::filesystem::exists(folder / "domb.b3d")) << c.message;
    }
    const auto usage = RunCli({"terrain", "--lang", "en", "--heightmap-origin", "1"}, folder.path());
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_NE(usage.err.find("--heightmap-origin takes 2 comma-separated values"), std::string::npos) << usage.err;
}

TEST_F(HeightmapCommandTest, HelpListsTheOptions)
{
    const auto result = RunCli({"terrain", "--help"}, folder.path());
    EXPECT_EQ(result.exitCode, 0);
    for (const char* option :
         {"--heightmap FILE", "--heightmap-origin X,Z", "--height-scale K", "--height-offset M", "--pixel-size M"})
        EXPECT_NE(result.out.find(option), std::string::npos) << option;
}

}  // namespace
}  // namespace kestrane
