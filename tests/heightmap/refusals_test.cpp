// Heightmaps that cannot be used: refused naming the field, with nothing
// written and an earlier terrain file left as it was.
#include "core/errors.h"
#include "terrain/terrain_generator.h"

#include "support/test_support.h"
#include "test_rasters.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

namespace kestrane {
namespace {

using test::RasterLayout;
using test::ReadFile;
using test::TempFolder;
using test::WriteFile;
using test::WriteRaster;

class HeightmapRefusalTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RasterLayout layout;
        layout.columns = 40;
        layout.rows = 30;
        layout.transform = std::array<double, 6>{0, 5, 0, 150, 0, -5};
        layout.noData = -9999.0;
        WriteRaster(folder / "dem.tif", layout, [](int c, int r) { return r < 10 ? -9999.0 : 100.0 + c; });
        input.heightmap.file = (folder / "dem.tif").string();
        // A good terrain from before, which every refusal must leave alone.
        previous = ReadFile(generator.Generate(input, UiLanguage::English, out.path()).path);
    }

    // Generates and expects a refusal naming `field` and mentioning `words`.
    void ExpectRefused(const std::string& field, const std::string& words,
                       UiLanguage language = UiLanguage::English)
    {
        try {
            generator.Generate(input, language, out.path());
            ADD_FAILURE() << "not refused";
        } catch (const InputError& e) {
            EXPECT_EQ(e.field(), field) << e.what();
            EXPECT_EQ(std::string(e.what()).rfind(field + ": ", 0), 0u) << e.what();
            EXPECT_NE(std::string(e.what()).find(words), std::string::npos) << e.what();
        }
        EXPECT_TRUE(ReadFile(out / "domb.b3d") == previous) << "the earlier terrain file changed";
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out.path()),
                                std::filesystem::directory_iterator()),
                  1);
    }

    TempFolder folder;
    TempFolder out;
    TerrainGenerator generator;
    TerrainInput input;
    std::string previous;
};

TEST_F(HeightmapRefusalTest, GridEntirelyOutsideOrOnNoData)
{
    input.heightmap.originX = "-500";
    ExpectRefused("Heightmap origin", "every node of the terrain lies outside the raster");
    input.heightmap.originX = "0";
    input.heightmap.originZ = "200.5";
    ExpectRefused("Domborzat origó", "a raszteren kívül", UiLanguage::Hungarian);
    // The northern 10 rows (z from 100 to 150 m) hold no data; from 102.5 m
    // on no node reaches a cell centre south of them.
    input.heightmap.originZ = "103";
    input.areaZ = "45";
    ExpectRefused("Heightmap file", "no data under the terrain");
}

TEST_F(HeightmapRefusalTest, MalformedUnreadableOrMissingFiles)
{
    WriteFile(folder / "text.tif", "this is not a raster\n");
    input.heightmap.file = (folder / "text.tif").string();
    ExpectRefused("Heightmap file", "\"" + input.heightmap.file + "\" cannot be opened as a raster");

    // A GeoTIFF cut short: its header opens, its cells do not read.
    RasterLayout layout;
    layout.columns = 300;
    layout.rows = 300;
    layout.transform = std::array<double, 6>{0, 1, 0, 300, 0, -1};
    WriteRaster(folder / "cut.tif", layout, [](int c, int r) { return c + r; });
    const std::string whole = ReadFile(folder / "cut.tif");
    WriteFile(folder / "cut.tif", whole.substr(0, whole.size() / 3));
    input.heightmap.file = (folder / "cut.tif").string();
    ExpectRefused("Heightmap file", "cannot be");

    input.heightmap.file = (folder / "missing.tif").string();
    ExpectRefused("Heightmap file", "cannot be opened");
    input.heightmap.file = folder.path().string();
    ExpectRefused("Heightmap file", "cannot be opened");

    // A plain image: the metres per pixel must be a positive number.
    layout.type = "Byte";
    layout.driver = "PNG";
    layout.transform.reset();
    WriteRaster(folder / "plain.png", layout, [](int, int) { return 1; });
    input.heightmap.file = (folder / "plain.png").string();
    input.heightmap.pixelSize = "0";
    ExpectRefused("Pixel size", "greater than 0");
    input.heightmap.pixelSize = "x";
    ExpectRefused("Cellaméret", "nem érvényes szám", UiLanguage::Hungarian);
}

TEST_F(HeightmapRefusalTest, MalformedNumbers)
{
    input.heightmap.scale = "0";
    ExpectRefused("Height scale", "must not be 0");
    input.heightmap.scale = "1,5";
    ExpectRefused("Height scale", "\"1,5\" is not a valid number");
    input.heightmap.scale = "1";
    input.heightmap.offset = "ten";
    ExpectRefused("Magasság eltolás", "\"ten\" nem érvényes szám", UiLanguage::Hungarian);
    input.heightmap.offset = "0";
    input.heightmap.originZ = "1e999";
    ExpectRefused("Heightmap origin", "is not a valid number");
}

TEST(HeightmapEmptyTest, EmptyFileNameIgnoresTheOtherFields)
{
    TempFolder a;
    TempFolder b;
    TerrainInput plain;
    TerrainInput ignored;
    ignored.heightmap.originX = "not read";
    ignored.heightmap.scale = "0";
    ignored.heightmap.pixelSize = "-1";
    TerrainGenerator generator;
    const TerrainResult first = generator.Generate(plain, UiLanguage::Hungarian, a.path());
    const TerrainResult second = generator.Generate(ignored, UiLanguage::Hungarian, b.path());
    EXPECT_EQ(ReadFile(first.path), ReadFile(second.path));
    EXPECT_EQ(second.heightmapReport, "");
}

TEST_F(HeightmapRefusalTest, OnlyPlainRegularFilesAndWholeTextGrids)
{
    const std::string caption = "Heightmap file";
    ASSERT_EQ(::mkfifo((folder / "pipe.tif").c_str(), 0600), 0);
    input.heightmap.file = (folder / "pipe.tif").string();
    ExpectRefused(caption, "is not a regular file");
    input.heightmap.file = "/vsicurl/http://127.0.0.1:9/dem.tif";
    ExpectRefused(caption, "is not a plain file path");
    // A raw band over another file turns its bytes into heights.
    WriteFile(folder / "raw.vrt", "<VRTDataset rasterXSize=\"8\" rasterYSize=\"8\"><VRTRasterBand dataType=\"Byte\" "
                                  "band=\"1\" subClass=\"VRTRawRasterBand\"><SourceFilename relativetoVRT=\"1\">"
                                  "dem.tif</SourceFilename></VRTRasterBand></VRTDataset>");
    input.heightmap.file = (folder / "raw.vrt").string();
    input.heightmap.pixelSize = "5";
    ExpectRefused(caption, "cannot be opened as a raster");
    // An ESRI ASCII grid cut after half its rows, as an interrupted download.
    std::string grid = "ncols 200\nnrows 200\nxllcorner 0\nyllcorner 0\ncellsize 5\nNODATA_value -9999\n";
    for (int row = 0; row < 100; ++row)
        for (int column = 0; column < 200; ++column)
            grid += std::to_string(row + column) + (column == 199 ? "\n" : " ");
    WriteFile(folder / "cut.asc", grid);
    input.heightmap.file = (folder / "cut.asc").string();
    input.heightmap.pixelSize.clear();
    ExpectRefused(caption, "declares 200 × 200 heights, but it holds 20000");
}

TEST(HeightmapHeights, AbsurdHeightsCountAsNoData)
{
    // A float raster's lowest value in place of a no-data marker.
    const TempFolder folder;
    RasterLayout layout;
    layout.columns = layout.rows = 20;
    layout.transform = std::array<double, 6>{0, 5, 0, 100, 0, -5};
    WriteRaster(folder / "holes.tif", layout, [](int c, int) { return c < 3 ? -3.4028234663852886e38 : 50.0; });
    TerrainInput input;
    input.heightmap.file = (folder / "holes.tif").string();
    TerrainGenerator generator;
    const TerrainResult result = generator.Generate(input, UiLanguage::English, folder.path());
    const std::string text = ReadFile(result.path);
    EXPECT_EQ(text.find("339999"), std::string::npos);
    EXPECT_NE(result.heightmapReport.find("filled"), std::string::npos);
    EXPECT_EQ(result.heightmapReport.find(" 0 filled"), std::string::npos) << result.heightmapReport;
}

}  // namespace
}  // namespace kestrane
