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

TEST(TileProgress, EveryTileIsReportedAndAStopKeepsThePreviousFiles)
{
    for (const char* before : {"5", "0"}) {  // a set of tiles, a single file
        test::TempFolder folder;
        TerrainGenerator generator;
        generator.Generate(Tiled(before), UiLanguage::English, folder.path());
        const auto previous = Files(folder.path());

        // Reported one by one up to the count; a stop after the second tile.
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
            EXPECT_EQ(reports.front().first, 1);
            EXPECT_EQ(Files(folder.path()), previous) << before << " then " << next;
        }

        // Let through, the new set is written and every tile was reported.
        int last = 0, count = 0;
        const TerrainResult result = generator.Generate(Tiled("5"), UiLanguage::English, folder.path(), {}, {},
                                                        [&](int written, int all) {
                                                            EXPECT_EQ(written, last + 1);
                                                            last = written;
                                                            count = all;
                                                            return true;
                                                        });
        EXPECT_EQ(last, count);
        EXPECT_EQ(result.tiles, count);
    }
}

}  // namespace
}  // namespace kestrane
