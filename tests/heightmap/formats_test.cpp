// Terrain heights from rasters of every kind the area builder reads: the
// node heights against the function the raster was written from, the
// axes, scale and offset, slopes and peaks on top, and no-data filling.
#include "core/errors.h"
#include "heightmap/heightmap.h"
#include "heightmap/heightmap_window.h"
#include "terrain/terrain_generator.h"
#include "terrain/terrain_state.h"

#include "support/test_support.h"
#include "test_rasters.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace kestrane {
namespace {

using test::RasterLayout;
using test::TempFolder;
using test::WriteRaster;

constexpr std::array<double, 6> Transform(double west, double north, double cell)
{
    return {west, cell, 0.0, north, 0.0, -cell};
}

// The centre of a cell in metres from the raster's south-west corner.
double CentreX(int column, double cell) { return (column + 0.5) * cell; }
double CentreZ(int row, int rows, double cell) { return (rows - row - 0.5) * cell; }

// A number as an edit box holds it, whatever the locale.
std::string Text(double value)
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

// Switches the C library's locale for the lifetime of the object.
class ScopedLocale {
public:
    explicit ScopedLocale(const char* name)
    {
        const char* previous = std::setlocale(LC_ALL, nullptr);
        previous_ = previous ? previous : "C";
        switched_ = std::setlocale(LC_ALL, name) != nullptr;
    }
    ~ScopedLocale() { std::setlocale(LC_ALL, previous_.c_str()); }
    bool switched() const { return switched_; }

private:
    std::string previous_;
    bool switched_ = false;
};

class HeightmapFormatsTest : public ::testing::Test {
protected:
    // A terrain of `cellsX` by `cellsZ` cells of `step` metres on the raster.
    TerrainInput Input(const std::filesystem::path& raster, int cellsX, int cellsZ, double step)
    {
        TerrainInput input;
        input.areaX = Text(cellsX * step);
        input.areaZ = Text(cellsZ * step);
        input.resolutionX = std::to_string(cellsX);
        input.resolutionZ = std::to_string(cellsZ);
        input.heightmap.file = raster.string();
        return input;
    }
    // The largest difference between the nodes' heights and `expected` at
    // the nodes' positions on the raster.
    double WorstError(const TerrainInput& input, const std::function<double(double x, double z)>& expected)
    {
        const TerrainGeneratorState& state = generator.state();
        const double originX = std::stod(input.heightmap.originX);
        const double originZ = std::stod(input.heightmap.originZ);
        double worst = 0.0;
        for (int i = 1; i <= state.derived.LastRow(); ++i)
            for (int j = 1; j <= state.derived.LastColumn(); ++j) {
                const GridNode& n = state.node(i, j);
                worst = std::max(worst, std::abs(n.y - expected(originX + n.x, originZ + n.z)));
            }
        return worst;
    }

    TempFolder folder;
    TerrainGenerator generator;
};

// A raster of `columns` by `rows` cells for WriteRaster.
RasterLayout Layout(int columns, int rows, std::optional<std::array<double, 6>> transform = std::nullopt)
{
    RasterLayout layout;
    layout.columns = columns;
    layout.rows = rows;
    layout.transform = transform;
    return layout;
}

RasterLayout With(RasterLayout layout, const std::function<void(RasterLayout&)>& change)
{
    change(layout);
    return layout;
}

double Plane(double x, double z) { return 120.0 + 0.25 * x - 0.4 * z; }

TEST_F(HeightmapFormatsTest, PlaneInFloatGeoTiffWithSlopeAndPeakOnTop)
{
    const auto raster = folder / "plane.tif";
    const double cell = 2.0;
    WriteRaster(raster, With(Layout(200, 150, Transform(500000, 5300000, cell)), [](RasterLayout& s) { s.srs = "EPSG:32633"; }),
                [&](int c, int r) { return Plane(CentreX(c, cell), CentreZ(r, 150, cell)); });
    TerrainInput input = Input(raster, 40, 32, 2.5);
    input.heightmap.originX = "30";
    input.heightmap.originZ = "40";
    const TerrainResult result = generator.Generate(input, UiLanguage::English, folder.path());
    EXPECT_LT(WorstError(input, Plane), 1e-3);
    EXPECT_EQ(result.status, "Domb.B3d file generating successfull");
    EXPECT_EQ(result.heightmapReport,
              "Heightmap: 1353 nodes, 0 filled from neighbours (0 outside the raster).");

    // Slopes and peaks are added to the heightmap's heights; x and z stay.
    input.slopeX = "6";
    input.peaks[0] = {"10", "12", "5", "4", {200, 0, 0}};
    generator.Generate(input, UiLanguage::English, folder.path());
    std::vector<GridNode> withHeightmap;
    for (int j = 0; j <= 33; ++j)
        withHeightmap.push_back(generator.state().node(11, j));
    input.heightmap.file.clear();
    generator.Generate(input, UiLanguage::English, folder.path());
    for (int j = 1; j <= 33; ++j) {
        const GridNode& plain = generator.state().node(11, j);
        EXPECT_DOUBLE_EQ(withHeightmap[j].x, plain.x);
        EXPECT_DOUBLE_EQ(withHeightmap[j].z, plain.z);
        EXPECT_NEAR(withHeightmap[j].y - plain.y, Plane(30 + plain.x, 40 + plain.z), 1e-3) << j;
        EXPECT_EQ(withHeightmap[j].red, plain.red);
    }
}

TEST_F(HeightmapFormatsTest, SouthUpRasterReadTheRightWayRound)
{
    // Rows stored from the south edge (a positive row step): row r is
    // centred (r + 0.5) cells north of the south edge. Read whole and
    // averaged down.
    const auto raster = folder / "southup.tif";
    const double cell = 2.0;
    WriteRaster(raster, Layout(100, 400, std::array<double, 6>{0, cell, 0, 0, 0, cell}),
                [&](int c, int r) { return Plane(CentreX(c, cell), (r + 0.5) * cell); });
    TerrainInput input = Input(raster, 20, 40, 9.0);
    input.heightmap.originX = "5";
    input.heightmap.originZ = "7";
    generator.Generate(input, UiLanguage::English, folder.path());
    EXPECT_LT(WorstError(input, Plane), 1e-3);
    TerrainInput fine = Input(raster, 50, 50, 3.0);
    fine.heightmap.originX = "1";
    fine.heightmap.originZ = "300";
    generator.Generate(fine, UiLanguage::English, folder.path());
    EXPECT_LT(WorstError(fine, Plane), 1e-3);
}

TEST_F(HeightmapFormatsTest, ParaboloidInFloatGeoTiffFullAndDecimated)
{
    const auto raster = folder / "bowl.tif";
    const auto bowl = [](double x, double z) { return 0.002 * ((x - 150) * (x - 150) + (z - 150) * (z - 150)); };
    WriteRaster(raster, Layout(300, 300, Transform(0, 300, 1.0)),
                [&](int c, int r) { return bowl(CentreX(c, 1.0), CentreZ(r, 300, 1.0)); });

    // Nodes 2 m apart on 1 m cells: every cell of the window is read, and
    // bilinear sampling errs by at most 0.002 * (1/2)^2 per axis.
    TerrainInput fine = Input(raster, 50, 50, 2.0);
    fine.heightmap.originX = "100";
    fine.heightmap.originZ = "50";
    generator.Generate(fine, UiLanguage::English, folder.path());
    EXPECT_LT(WorstError(fine, bowl), 1.1e-3);

    // 100 by 100 cells of 2.9 m: the window (292 by 292 cells and a sample
    // more on either side) is averaged in pairs down to 148 by 148 samples;
    // averaging and sampling on 2 m samples add a little more.
    TerrainInput coarse = Input(raster, 100, 100, 2.9);
    coarse.heightmap.originX = "5";
    coarse.heightmap.originZ = "4";
    HeightmapParams params = ReadHeightmapInput(coarse.heightmap, UiLanguage::English);
    const HeightmapSamples samples = SampleHeightmap(params, {101, 101, 2.9, 2.9}, UiLanguage::English);
    EXPECT_EQ(samples.readColumns, 148);
    EXPECT_EQ(samples.readRows, 148);
    // A progress report that fails leaves the reading (in the GDAL module,
    // across a C boundary) as it is.
    int reports = 0;
    const HeightmapSamples reported =
        SampleHeightmap(params, {101, 101, 2.9, 2.9}, UiLanguage::English, [&reports](double) {
            ++reports;
            throw std::runtime_error("report failed");
        });
    EXPECT_GT(reports, 0);
    EXPECT_EQ(reported.heights, samples.heights);
    generator.Generate(coarse, UiLanguage::English, folder.path());
    EXPECT_LT(WorstError(coarse, bowl), 6e-3);
}

TEST_F(HeightmapFormatsTest, Int16WithNoDataFilledFromNeighbours)
{
    const auto raster = folder / "dem16.tif";
    const auto hole = [](int c, int r) { return c >= 20 && c < 30 && r >= 10 && r < 20; };
    WriteRaster(raster,
                With(Layout(60, 40, Transform(0, 400, 10.0)),
                     [](RasterLayout& s) {
                         s.type = "Int16";
                         s.srs = "EPSG:32633";
                         s.noData = -32768.0;
                     }),
                [&](int c, int r) { return hole(c, r) ? -32768.0 : 200.0 + c - r; });
    // Nodes on the cell centres, 51 by 31 of them; 10 by 10 over the hole.
    TerrainInput input = Input(raster, 50, 30, 10.0);
    input.heightmap.originX = "5";
    input.heightmap.originZ = "5";
    input.heightmap.scale = "0.5";
    input.heightmap.offset = "-10";
    const TerrainResult result = generator.Generate(input, UiLanguage::Hungarian, folder.path());
    EXPECT_EQ(result.heightmapReport, "Domborzat: 1581 rácspont, 100 kitöltve a szomszédaiból (0 a raszteren kívül).");
    const TerrainGeneratorState& state = generator.state();
    for (int i = 1; i <= 51; ++i)
        for (int j = 1; j <= 31; ++j) {
            const int c = i - 1;
            const int r = 40 - j;
            const double y = state.node(i, j).y;
            if (!hole(c, r)) {
                EXPECT_DOUBLE_EQ(y, (200.0 + c - r) * 0.5 - 10) << i << "," << j;
            } else {
                // Between the heights around the hole.
                EXPECT_GE(y, (200.0 + 19 - 20) * 0.5 - 10) << i << "," << j;
                EXPECT_LE(y, (200.0 + 30 - 9) * 0.5 - 10) << i << "," << j;
            }
        }
}

TEST_F(HeightmapFormatsTest, NodesBeyondTheEdgeFilledAndCounted)
{
    const auto raster = folder / "small.tif";
    WriteRaster(raster, Layout(10, 10, Transform(0, 100, 10.0)),
                [](int, int) { return 42.0; });
    // 21 by 21 nodes 10 m apart from (-50, 50): only 11 by 6 of them lie
    // on the raster (100 by 100 m).
    TerrainInput input = Input(raster, 20, 20, 10.0);
    input.heightmap.originX = "-50";
    input.heightmap.originZ = "50";
    const TerrainResult result = generator.Generate(input, UiLanguage::English, folder.path());
    EXPECT_EQ(result.heightmapReport, "Heightmap: 441 nodes, 375 filled from neighbours (375 outside the raster).");
    for (int i = 1; i <= 21; ++i)
        for (int j = 1; j <= 21; ++j)
            EXPECT_DOUBLE_EQ(generator.state().node(i, j).y, 42.0);
}

TEST(HeightmapFillTest, RingsTakeTheMeanOfTheirValuedNeighbours)
{
    const double x = std::numeric_limits<double>::quiet_NaN();
    // 3 by 4 nodes, only the first node of the first and last rows valued;
    // each ring takes the mean of the valued nodes around it (8-neighbours).
    std::vector<double> heights = {4, x, x, x, x, x, x, x, 8, x, x, x};
    EXPECT_EQ(heightmap_detail::FillFromNeighbours(heights, 3, 4), 10);
    const std::vector<double> expected = {4, 4, 5, 5.5, 6, 6, 6, 6, 8, 8, 7, 6.5};
    for (std::size_t k = 0; k < heights.size(); ++k)
        EXPECT_DOUBLE_EQ(heights[k], expected[k]) << k;
    std::vector<double> none(6, x);
    EXPECT_EQ(heightmap_detail::FillFromNeighbours(none, 2, 3), 0);
    EXPECT_TRUE(std::isnan(none[0]));
}

TEST_F(HeightmapFormatsTest, AsciiGridReadUnderADecimalCommaLocale)
{
    const auto raster = folder / "dem.asc";
    const double cell = 2.5;
    WriteRaster(raster,
                With(Layout(30, 20, Transform(1000, 2050, cell)),
                     [](RasterLayout& s) {
                         s.driver = "AAIGrid";
                         s.noData = -9999.0;
                     }),
                [&](int c, int r) { return Plane(CentreX(c, cell), CentreZ(r, 20, cell)); });
    TerrainInput input = Input(raster, 20, 10, 3.0);
    input.heightmap.originX = "7.5";
    input.heightmap.originZ = "2";
    HeightmapInfo info;
    {
        const ScopedLocale hungarian("hu_HU.UTF-8");
        EXPECT_TRUE(hungarian.switched()) << "hu_HU.UTF-8 is missing (tools/setup.sh makes it)";
        info = ReadHeightmapInfo(ReadHeightmapInput(input.heightmap, UiLanguage::English), UiLanguage::English);
        generator.Generate(input, UiLanguage::English, folder.path());
    }
    EXPECT_EQ(info.format, "AAIGrid");
    EXPECT_EQ(info.columns, 30);
    EXPECT_EQ(info.rows, 20);
    EXPECT_DOUBLE_EQ(info.cellX, 2.5);
    EXPECT_DOUBLE_EQ(info.cellZ, 2.5);
    EXPECT_LT(WorstError(input, Plane), 1e-3);
}

TEST_F(HeightmapFormatsTest, SixteenBitPngNeedsItsPixelSizeAndHasItsTopRowNorth)
{
    const auto raster = folder / "height.png";
    WriteRaster(raster, With(Layout(64, 48),
                                  [](RasterLayout& s) {
                                      s.driver = "PNG";
                                      s.type = "UInt16";
                                  }),
                [](int c, int r) { return 5000.0 + 10 * c + 100 * (47 - r); });
    TerrainInput input = Input(raster, 20, 30, 6.0);
    input.heightmap.originX = "40";
    input.heightmap.originZ = "10";
    input.heightmap.scale = "0.01";
    try {
        generator.Generate(input, UiLanguage::English, folder.path());
        ADD_FAILURE() << "a plain image without a pixel size was accepted";
    } catch (const InputError& e) {
        EXPECT_EQ(e.field(), "Pixel size");
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "domb.b3d"));

    input.heightmap.pixelSize = "4";
    generator.Generate(input, UiLanguage::English, folder.path());
    // metres = 50 + 0.1 * column + 1 * row counted from the south.
    EXPECT_LT(WorstError(input, [](double x, double z) { return 50 + 0.1 * (x / 4 - 0.5) + (z / 4 - 0.5); }), 1e-9);
    const HeightmapInfo info = ReadHeightmapInfo(ReadHeightmapInput(input.heightmap, UiLanguage::English),
                                                 UiLanguage::English);
    EXPECT_EQ(info.format, "PNG");
    EXPECT_FALSE(info.ownCellSize);
    EXPECT_EQ(info.minimum, 5000.0);
    EXPECT_EQ(info.maximum, 5000.0 + 630 + 4700);
}

TEST_F(HeightmapFormatsTest, SrtmTileInDegreesMeasuredInMetres)
{
    const auto raster = folder / "N47E019.hgt";
    const double arc = 1.0 / 1200;  // 3 arc seconds
    WriteRaster(raster,
                With(Layout(1201, 1201, std::array<double, 6>{19 - arc / 2, arc, 0, 48 + arc / 2, 0, -arc}),
                     [](RasterLayout& s) {
                         s.driver = "SRTMHGT";
                         s.type = "Int16";
                         s.srs = "EPSG:4326";
                     }),
                [](int c, int r) { return 100.0 + (c + r) % 7; });
    HeightmapInput input;
    input.file = raster.string();
    const HeightmapInfo info = ReadHeightmapInfo(ReadHeightmapInput(input, UiLanguage::English), UiLanguage::English);
    EXPECT_EQ(info.format, "SRTMHGT");
    EXPECT_TRUE(info.geographic);
    // At 47.5 degrees north: 3 arc seconds are about 62.7 m east-west and
    // 92.6 m north-south.
    EXPECT_NEAR(info.cellX, 62.7, 0.1);
    EXPECT_NEAR(info.cellZ, 92.6, 0.1);
    EXPECT_EQ(info.minimum, 100.0);
    EXPECT_EQ(info.maximum, 106.0);
}

}  // namespace
}  // namespace kestrane
