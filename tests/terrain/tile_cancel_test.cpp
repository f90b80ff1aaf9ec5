// The writing of the simulator layout reports each tile, and a stop asked
// for through that report leaves the previous files exactly as they were.
#include "terrain/terrain_generator.h"
#include "terrain/terrain_tiles.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

namespace kestrane {
namespace {

// Every file of `folder` with its bytes.
std::map<std::string, std::string> Files(const std::filesystem::path& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files[entry.path().filename().string()] = test::ReadFile(entry.path());
    return files;
}

TerrainInput Tiled(const char* tileLength)
{
    TerrainInput input;
    input.layout = TerrainLayout::Simulator;
    input.tileLength = tileLength;
    return input;
}

TEST(TileProgress, TilesAreReportedAndAStopKeepsThePreviousFiles)
{
    for (const char* before : {"5", "0"}) {  // a set of tiles, a single file
        test::TempFolder folder;
        TerrainGenerator generator;
        generator.Generate(Tiled(before), UiLanguage::English, folder.path());
        const auto previous = Files(folder.path());

        // A stop after the second tile (or the only one).
        for (const char* next : {"5", "0"}) {
            TerrainInput changed = Tiled(next);
            changed.slopeX = "3";
            std::vector<std::pair<int, int>> reports;
            EXPECT_THROW(generator.Generate(changed, UiLanguage::English, folder.path(), {}, {},
                                            [&](int written, int count) {
                                                reports.emplace_back(written, count);
                                                return written < 2 && written < count;
                                            }),
                         GenerationCancelled);
            ASSERT_FALSE(reports.empty());
            EXPECT_EQ(Files(folder.path()), previous) << before << " then " << next;
            // Tile k of n, in order, up to the stop.
            for (std::size_t k = 0; k < reports.size(); ++k)
                EXPECT_EQ(reports[k], std::make_pair(int(k) + 1, next == std::string("5") ? 5 : 1));
        }
    }
}

}  // namespace
}  // namespace kestrane
