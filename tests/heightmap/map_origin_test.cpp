// The heightmap origin in the raster's own map coordinates: projected
// (north-up and south-up) and geographic rasters sample the same nodes as
// the equivalent metres from the south-west corner; a raster without
// georeferencing and both origins at once are refused naming the option.
#include "heightmap/heightmap.h"

#include "core/errors.h"
#include "options/preset.h"
#include "support/test_support.h"
#include "test_rasters.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

using test::ReadFile;
using test::RunCli;
using test::TempFolder;

// 20 by 20 cells; a cell's value is its column plus 100 times its row
// counted from the south, so a node on a cell centre reads that cell.
double CellValue(int column, int rowFromSouth) { return column + 100.0 * rowFromSouth; }

// 2 m cells in UTM zone 33N, the south-west corner at 500000 E, 5200000 N.
test::RasterLayout Projected(bool southUp)
{
    test::RasterLayout layout;
    layout.columns = 20;
    layout.rows = 20;
    layout.srs = "EPSG:32633";
    layout.transform = southUp ? std::array<double, 6>{500000, 2, 0, 5200000, 0, 2}
                               : std::array<double, 6>{500000, 2, 0, 5200040, 0, -2};
    return layout;
}

void WriteProjected(const std::filesystem::path& path, bool southUp)
{
    test::WriteRaster(path, Projected(southUp), [southUp](int column, int row) {
        return CellValue(column, southUp ? row : 19 - row);
    });
}

HeightmapParams Params(const std::filesystem::path& file, const std::string& x, const std::string& z, bool map)
{
    HeightmapInput input;
    input.file = file.string();
    input.originX = x;
    input.originZ = z;
    input.mapOrigin = map;
    return ReadHeightmapInput(input, UiLanguage::English);
}

void ExpectSameHeights(const HeightmapSamples& a, const HeightmapSamples& b)
{
    ASSERT_EQ(a.heights.size(), b.heights.size());
    for (std::size_t k = 0; k < a.heights.size(); ++k)
        EXPECT_NEAR(a.heights[k], b.heights[k], 1e-9) << k;
}

TEST(HeightmapMapOriginTest, ProjectedRasterNorthUpAndSouthUp)
{
    TempFolder folder;
    // 4 by 3 nodes 3 m apart, between cell centres.
    const NodeLattice lattice{4, 3, 3.0, 3.0};
    for (const bool southUp : {false, true}) {
        const auto file = folder / (southUp ? "south.tif" : "north.tif");
        WriteProjected(file, southUp);
        const HeightmapInfo info = ReadHeightmapInfo(Params(file, "0", "0", false), UiLanguage::English);
        ASSERT_TRUE(info.mapExtent) << southUp;
        EXPECT_DOUBLE_EQ(info.mapExtent->west, 500000);
        EXPECT_DOUBLE_EQ(info.mapExtent->south, 5200000);
        EXPECT_DOUBLE_EQ(info.mapExtent->east, 500040);
        EXPECT_DOUBLE_EQ(info.mapExtent->north, 5200040);

        // 500011 E, 5200015 N: 11 m east and 15 m north of the corner, the
        // centre of column 5, row 7 from the south.
        const HeightmapSamples map =
            SampleHeightmap(Params(file, "500011", "5200015", true), lattice, UiLanguage::English);
        const HeightmapSamples metres = SampleHeightmap(Params(file, "11", "15", false), lattice, UiLanguage::English);
        ExpectSameHeights(map, metres);
        EXPECT_NEAR(map.heights[0], CellValue(5, 7), 1e-9) << southUp;
        // Node (1, 2): 14 m east, 21 m north, half way between centres.
        EXPECT_NEAR(map.heights[1 * 3 + 2], (CellValue(6, 10) + CellValue(7, 10)) / 2, 1e-9) << southUp;
        EXPECT_EQ(map.filledNodes, 0);
    }
}

TEST(HeightmapMapOriginTest, GeographicRasterInDegrees)
{
    TempFolder folder;
    test::RasterLayout layout;
    layout.columns = 20;
    layout.rows = 20;
    layout.srs = "EPSG:4326";
    // 0.001 degree cells from 18.000 E, 47.000 N to 18.020 E, 47.020 N.
    layout.transform = std::array<double, 6>{18.0, 0.001, 0, 47.02, 0, -0.001};
    const auto file = folder / "geographic.tif";
    test::WriteRaster(file, layout, [](int column, int row) { return CellValue(column, 19 - row); });

    const HeightmapInfo info = ReadHeightmapInfo(Params(file, "0", "0", false), UiLanguage::English);
    ASSERT_TRUE(info.mapExtent);
    EXPECT_TRUE(info.geographic);
    EXPECT_NEAR(info.mapExtent->west, 18.0, 1e-12);
    EXPECT_NEAR(info.mapExtent->north, 47.02, 1e-12);
    // About 76 by 111 m a cell at 47 degrees north.
    EXPECT_NEAR(info.cellX, 75.9, 0.2);
    EXPECT_NEAR(info.cellZ, 111.2, 0.2);

    // The centre of column 5, row 7 from the south; the next nodes one
    // cell east and north.
    const NodeLattice lattice{3, 3, info.cellX, info.cellZ};
    const HeightmapSamples samples =
        SampleHeightmap(Params(file, "18.0055", "47.0075", true), lattice, UiLanguage::English);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_NEAR(samples.heights[static_cast<std::size_t>(i) * 3 + j], CellValue(5 + i, 7 + j), 1e-6)
                << i << "," << j;
}

TEST(HeightmapMapOriginTest, RasterWithoutGeoreferencingIsRefused)
{
    TempFolder folder;
    test::WritePlainImage(folder / "plain.png", 10.0);
    HeightmapInput input;
    input.file = (folder / "plain.png").string();
    input.pixelSize = "1";
    input.originX = "2";
    input.originZ = "2";
    // In metres it reads; in map coordinates it has none to offer.
    EXPECT_NO_THROW(SampleHeightmap(ReadHeightmapInput(input, UiLanguage::English), {2, 2, 1, 1}, UiLanguage::English));
    EXPECT_FALSE(ReadHeightmapInfo(ReadHeightmapInput(input, UiLanguage::English), UiLanguage::English).mapExtent);
    input.mapOrigin = true;
    for (const UiLanguage language : {UiLanguage::English, UiLanguage::Hungarian}) {
        try {
            SampleHeightmap(ReadHeightmapInput(input, language), {2, 2, 1, 1}, language);
            ADD_FAILURE() << "a map origin on a plain image was taken";
        } catch (const InputError& e) {
            EXPECT_EQ(e.field(), HeightmapCaption(HeightmapField::MapOrigin, language));
            EXPECT_NE(std::string(e.what()).find(language == UiLanguage::English ? "has no map coordinates"
                                                                                   : "nem hordoz térképi"),
                      std::string::npos)
                << e.what();
        }
    }
}

class HeightmapMapOriginCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteProjected(folder / "dem.tif", false);
        test::WritePlainImage(folder / "plain.png", 10.0);
    }
    TempFolder folder;
};

TEST_F(HeightmapMapOriginCommandTest, MapOriginWritesWhatTheMetreOriginWrites)
{
    const std::vector<std::string> shape = {"terrain", "--lang", "en", "--area", "20,20", "--resolution", "10,10",
                                            "--heightmap", "dem.tif"};
    auto args = shape;
    args.insert(args.end(), {"--heightmap-map-origin", "500011,5200015"});
    const auto map = RunCli(args, folder.path());
    ASSERT_EQ(map.exitCode, 0) << map.err;
    EXPECT_EQ(map.err, "");
    const std::string fromMap = ReadFile(folder / "domb.b3d");
    args = shape;
    args.insert(args.end(), {"--heightmap-origin", "11,15"});
    const auto metres = RunCli(args, folder.path());
    ASSERT_EQ(metres.exitCode, 0) << metres.err;
    EXPECT_EQ(metres.out, map.out);
    EXPECT_EQ(ReadFile(folder / "domb.b3d"), fromMap);
}

TEST_F(HeightmapMapOriginCommandTest, RefusalsNameTheMapOriginOption)
{
    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"--heightmap", "plain.png", "--pixel-size", "1", "--heightmap-map-origin", "1,1"},
         "--heightmap-map-origin: Heightmap origin (map coordinates): \"plain.png\" has no map coordinates"},
        {{"--heightmap", "dem.tif", "--heightmap-map-origin", "11,15"},
         "--heightmap-map-origin: Heightmap origin (map coordinates): every node of the terrain lies outside the "
         "raster.\n"},
        {{"--heightmap", "dem.tif", "--heightmap-map-origin", "500011,5200015x"},
         "--heightmap-map-origin: Heightmap origin (map coordinates): \"5200015x\" is not a valid number."},
        {{"--heightmap", "dem.tif", "--heightmap-origin", "1,1", "--heightmap-map-origin=500011,5200015"},
         "kestrane terrain: --heightmap-origin and --heightmap-map-origin cannot be given together"},
        {{"--heightmap", "dem.tif", "--heightmap-map-origin", "500011"},
         "--heightmap-map-origin takes 2 comma-separated values"},
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
}

TEST_F(HeightmapMapOriginCommandTest, PresetKeepsTheMapOriginAndTheCommandLineOverridesIt)
{
    test::WriteFile(folder / "map.json", R"({"kind": "terrain", "area": "20,20", "resolution": "10,10",
        "heightmap": "dem.tif", "heightmap-map-origin": "500011,5200015"})");
    const auto fromPreset = RunCli({"terrain", "--preset", "map.json"}, folder.path());
    ASSERT_EQ(fromPreset.exitCode, 0) << fromPreset.err;
    const std::string mapFile = ReadFile(folder / "domb.b3d");
    // The metre origin given after the preset replaces its map origin.
    const auto replaced = RunCli({"terrain", "--preset", "map.json", "--heightmap-origin", "11,15"}, folder.path());
    ASSERT_EQ(replaced.exitCode, 0) << replaced.err;
    EXPECT_EQ(ReadFile(folder / "domb.b3d"), mapFile);
    const auto elsewhere = RunCli({"terrain", "--preset", "map.json", "--heightmap-origin", "0,0"}, folder.path());
    ASSERT_EQ(elsewhere.exitCode, 0) << elsewhere.err;
    EXPECT_NE(ReadFile(folder / "domb.b3d"), mapFile);
}

TEST(HeightmapMapOriginPresetTest, OneOriginMemberAsTheInputHoldsIt)
{
    TerrainInput input;
    input.heightmap.file = "dem.tif";
    input.heightmap.originX = "500011";
    input.heightmap.originZ = "5200015";
    input.heightmap.mapOrigin = true;
    const std::string json = TerrainPresetJson(input);
    EXPECT_EQ(json, "{\n"
                    "  \"kind\": \"terrain\",\n"
                    "  \"heightmap\": \"dem.tif\",\n"
                    "  \"heightmap-map-origin\": \"500011,5200015\"\n"
                    "}\n");
    EXPECT_EQ(TerrainPresetJson(TerrainFromPreset(json)), json);
    input.heightmap.mapOrigin = false;
    EXPECT_NE(TerrainPresetJson(input).find("\"heightmap-origin\": \"500011,5200015\""), std::string::npos);

    // A preset with both places the heightmap twice: refused.
    try {
        TerrainFromPreset(R"({"kind": "terrain", "heightmap-origin": "0,0", "heightmap-map-origin": "1,2"})");
        ADD_FAILURE() << "both origins taken";
    } catch (const PresetError& e) {
        EXPECT_EQ(e.member(), "heightmap-map-origin");
        EXPECT_EQ(e.Text(UiLanguage::English),
                  "\"heightmap-map-origin\": cannot be given with \"heightmap-origin\"; give one of them");
    }
}

}  // namespace
}  // namespace kestrane
