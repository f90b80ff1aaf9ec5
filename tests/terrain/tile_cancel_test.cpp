// The writing of the simulator layout reports each tile, and a stop asked
// for through that report leaves the previous files exactly as they were;
// tiles made on worker threads give the same bytes, reports and failures
// as tiles made on the calling thread alone.
#include "terrain/terrain_generator.h"
#include "terrain/terrain_tiles.h"

#include "core/errors.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <thread>

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

// A shaped grid of many small tiles: peaks, a bend, a texture.
TerrainInput ShapedTiles(const char* tileLength)
{
    TerrainInput input;
    input.layout = TerrainLayout::Simulator;
    input.areaX = "300";
    input.areaZ = "2000";
    input.resolutionX = "30";
    input.resolutionZ = "200";
    input.slopeX = "4";
    input.slopeZ = "-9";
    input.curveX = "20";
    input.curveZ1 = "60";
    input.curveZ2 = "120";
    input.peaks[0] = {"10", "40", "12", "8", {200, 30, 30}};
    input.peaks[1] = {"20", "150", "-6", "20", {30, 30, 200}};
    input.tileLength = tileLength;
    return input;
}

// Resets the workers to the machine's when a test ends.
struct Workers {
    explicit Workers(int count) { SetTileWorkersForTesting(count); }
    ~Workers() { SetTileWorkersForTesting(-1); }
};

TEST(TilesOnWorkers, TheSameBytesAndReportsAsOnTheCallingThread)
{
    for (const char* tileLength : {"0", "50", "130"}) {
        for (const bool twoSided : {false, true}) {
            TerrainInput input = ShapedTiles(tileLength);
            input.twoSided = twoSided;
            input.texture = twoSided ? "" : "rock.bmp";
            std::map<std::string, std::string> reference;
            TerrainResult referenceResult;
            for (const int workers : {0, 1, 2, 4}) {
                const Workers set(workers);
                test::TempFolder folder;
                TerrainGenerator generator;
                std::vector<std::pair<int, int>> reports;
                const std::thread::id caller = std::this_thread::get_id();
                const TerrainResult result =
                    generator.Generate(input, UiLanguage::Hungarian, folder.path(), {}, {}, [&](int written, int count) {
                        EXPECT_EQ(std::this_thread::get_id(), caller);  // reported where the files are written
                        reports.emplace_back(written, count);
                        return true;
                    });
                ASSERT_EQ(reports.size(), static_cast<std::size_t>(result.tiles));
                for (std::size_t k = 0; k < reports.size(); ++k)
                    EXPECT_EQ(reports[k], std::make_pair(static_cast<int>(k) + 1, result.tiles));
                if (workers == 0) {
                    reference = Files(folder.path());
                    referenceResult = result;
                    continue;
                }
                EXPECT_EQ(Files(folder.path()), reference) << tileLength << " " << workers;
                EXPECT_EQ(result.status, referenceResult.status);
                EXPECT_EQ(result.tiles, referenceResult.tiles);
                EXPECT_EQ(result.loadSeconds, referenceResult.loadSeconds);  // summed in the same order
            }
            if (tileLength != std::string("0")) {
                EXPECT_GT(referenceResult.tiles, 2);
            }
        }
    }
}

TEST(TilesOnWorkers, AFailedOrStoppedSetLeavesThePreviousOneAsOnTheCallingThread)
{
    for (const int workers : {0, 2, 3}) {
        const Workers set(workers);
        test::TempFolder folder;
        TerrainGenerator generator;
        generator.Generate(ShapedTiles("100"), UiLanguage::English, folder.path());
        const auto previous = Files(folder.path());
        ASSERT_GT(previous.size(), 5u);

        // A tile whose name is a write-protected file: the set is refused
        // at that tile, naming it.
        const std::filesystem::path protectedTile = folder / "domb_004.b3d";
        std::filesystem::permissions(protectedTile, std::filesystem::perms::owner_write |
                                                        std::filesystem::perms::group_write |
                                                        std::filesystem::perms::others_write,
                                     std::filesystem::perm_options::remove);
        TerrainInput changed = ShapedTiles("100");
        changed.slopeX = "-3";
        try {
            generator.Generate(changed, UiLanguage::English, folder.path());
            ADD_FAILURE() << "no refusal with " << workers << " workers";
        } catch (const OutputError& e) {
            EXPECT_EQ(std::filesystem::path(e.path()).filename(), "domb_004.b3d");
            EXPECT_EQ(std::string(e.what()), "File access denied");
        }
        EXPECT_EQ(Files(folder.path()), previous);
        std::filesystem::permissions(protectedTile, std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add);

        // A stop after the third tile.
        int reported = 0;
        EXPECT_THROW(generator.Generate(changed, UiLanguage::English, folder.path(), {}, {},
                                        [&](int written, int) {
                                            reported = written;
                                            return written < 3;
                                        }),
                     GenerationCancelled);
        EXPECT_EQ(reported, 3);
        EXPECT_EQ(Files(folder.path()), previous);
    }
}

}  // namespace
}  // namespace kestrane
