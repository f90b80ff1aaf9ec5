// A raster of 1 GiB (16384 by 16384 float32 cells) under the largest
// terrain: only the window the nodes need is read, averaged down, through
// a bounded block cache, so the read costs a few tens of megabytes.
#include "heightmap/heightmap.h"

#include "support/test_support.h"
#include "test_rasters.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iostream>
#include <sstream>

namespace kestrane {
namespace {

using test::TempFolder;

// A line of /proc/self/status in kB ("VmRSS", "VmHWM").
long long StatusKb(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key + ":", 0) == 0) {
            std::istringstream fields(line.substr(key.size() + 1));
            long long kb = 0;
            fields >> kb;
            return kb;
        }
    }
    return -1;
}

// Makes the peak resident size start again from the current one.
bool ResetPeak()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return static_cast<bool>(clear);
}

constexpr int kCells = 16384;
constexpr int kTile = 512;
constexpr long long kBoundKb = 64 * 1024;  // the stated bound: 64 MB

TEST(HeightmapLargeRasterTest, WholeRasterUnderTheLargestTerrainWithinTheMemoryBound)
{
    TempFolder folder;
    const auto raster = folder / "large.tif";
    // Data in two block rows (cell rows 0-511 and 8192-8703); the other
    // tiles are left out of the file and read as 0.
    test::WriteSparseRaster(raster, kCells, kCells, kTile, 1.0, {0, 16}, [](int, int row) {
        return row < kTile ? 250.0 : 750.0;
    });

    HeightmapInput input;
    input.file = raster.string();
    const HeightmapParams params = ReadHeightmapInput(input, UiLanguage::English);
    // 101 by 1001 nodes over the whole raster.
    const NodeLattice lattice{101, 1001, kCells / 100.0, kCells / 1000.0};
    int progressCalls = 0;
    double lastProgress = 0.0;
    const long long before = StatusKb("VmRSS");
    ASSERT_TRUE(ResetPeak());
    const HeightmapSamples samples =
        SampleHeightmap(params, lattice, UiLanguage::English, [&](double done) {
            ++progressCalls;
            EXPECT_GE(done, lastProgress);
            lastProgress = done;
        });
    const long long growth = StatusKb("VmHWM") - before;
    RecordProperty("peak_growth_kb", std::to_string(growth));
    std::cout << "peak memory growth reading a 1 GiB raster: " << growth / 1024 << " MB\n";
    EXPECT_LT(growth, kBoundKb);
    EXPECT_GT(progressCalls, 2);
    EXPECT_DOUBLE_EQ(lastProgress, 1.0);

    // About two samples per node step: 81 cells per sample across (202
    // samples), 9 down (1820 samples).
    EXPECT_EQ(samples.readColumns, 202);
    EXPECT_EQ(samples.readRows, 1820);
    EXPECT_EQ(samples.filledNodes, 0);
    // Node j lies 16.384 j metres north of the south edge; the filled band
    // of cell rows 8192-8703 spans 7680 to 8192 m, the northern one 15872
    // to 16384 m. Within 1.5 samples (13.5 m) of a band's edge the heights
    // blend.
    const auto within = [](double z, double low, double high) { return z > low + 20 && z < high - 20; };
    for (int j = 0; j < 1001; ++j) {
        const double z = j * lattice.stepZ;
        double expected = 0.0;
        if (within(z, 7680, 8192))
            expected = 750.0;
        else if (within(z, 15872, 1e9))
            expected = 250.0;
        else if (!within(z, -1e9, 7680) && !within(z, 8192, 15872))
            continue;
        for (int i = 0; i < 101; i += 25)
            EXPECT_NEAR(samples.heights[static_cast<std::size_t>(i) * 1001 + j], expected, 1e-3) << i << "," << j;
    }

    // Its description for the area builder: the height range estimated.
    const auto started = std::chrono::steady_clock::now();
    const HeightmapInfo info = ReadHeightmapInfo(params, UiLanguage::English);
    const auto took = std::chrono::steady_clock::now() - started;
    std::cout << "describing it took " << std::chrono::duration_cast<std::chrono::milliseconds>(took).count()
              << " ms\n";
    EXPECT_EQ(info.columns, kCells);
    EXPECT_EQ(info.rows, kCells);
    EXPECT_TRUE(info.rangeApproximate);
    EXPECT_TRUE(info.minimum && info.maximum);

    // A small terrain inside it reads only the cells around its nodes, at
    // full resolution: 26 by 26 nodes 1 m apart need 27 by 27 cells.
    HeightmapInput inner = input;
    inner.originX = "8000";
    inner.originZ = "7700";
    const HeightmapSamples small =
        SampleHeightmap(ReadHeightmapInput(inner, UiLanguage::English), {26, 26, 1.0, 1.0}, UiLanguage::English);
    EXPECT_EQ(small.readColumns, 27);
    EXPECT_EQ(small.readRows, 27);
    for (const double height : small.heights)
        EXPECT_EQ(height, 750.0);
}

}  // namespace
}  // namespace kestrane
