// Tiles made on worker threads: the items are finished in order whatever
// the workers, a failure comes back for its own item, and a tile set written
// with workers is byte for byte the one written on the calling thread
// alone, failures and stops included.
#include "terrain/work_ahead.h"
#include "terrain/terrain_generator.h"
#include "terrain/terrain_tiles.h"

#include "core/errors.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <chrono>
#include <map>
#include <stdexcept>
#include <string>
#include <thread>

namespace kestrane {
namespace {

// The text item k is made of: its number and some length that varies.
std::string ItemText(std::size_t k)
{
    return std::to_string(k) + std::string(k * 7919 % 5000, static_cast<char>('a' + k % 26));
}

TEST(WorkAhead, ItemsAreFinishedInOrderWithinTheRingWhateverTheWorkers)
{
    for (const std::size_t workers : {0u, 1u, 2u, 3u, 4u}) {
        constexpr std::size_t kItems = 60;
        const std::size_t slots = WorkAhead::SlotsFor(workers);
        std::vector<std::string> texts(slots);
        std::vector<std::size_t> preparedItem(slots);
        std::size_t finished = 0, mostAhead = 0;  // items finished; the calling thread's alone
        std::atomic<int> busy{0}, mostBusy{0};
        const std::thread::id caller = std::this_thread::get_id();
        WorkAhead work(
            kItems, workers,
            [&](std::size_t k, std::size_t slot) {
                EXPECT_EQ(std::this_thread::get_id(), caller);
                EXPECT_EQ(slot, k % slots);
                mostAhead = std::max(mostAhead, k - finished);
                preparedItem[slot] = k;
                texts[slot] = std::to_string(k);
            },
            [&](std::size_t maker, std::size_t k, std::size_t slot) {
                EXPECT_LE(maker, workers);  // the workers, and the calling thread as the last
                EXPECT_EQ(preparedItem[slot], k);  // prepared before it is made
                const int now = ++busy;
                for (int seen = mostBusy; now > seen && !mostBusy.compare_exchange_weak(seen, now);) {
                }
                if (k % 5 == 0)  // some items take longer: later ones overtake them
                    std::this_thread::sleep_for(std::chrono::milliseconds(2));
                texts[slot] = ItemText(k);
                --busy;
            });
        for (std::size_t k = 0; k < kItems; ++k) {
            const std::size_t slot = work.Get(k);
            ASSERT_EQ(texts[slot], ItemText(k)) << workers;
            finished = k + 1;
            work.Done(k);
        }
        // Never more items prepared than the ring has slots; at most as
        // many made at once as there are makers.
        EXPECT_LT(mostAhead, slots) << workers;
        EXPECT_LE(mostBusy.load(), static_cast<int>(workers + 1));
    }
}

TEST(WorkAhead, AFailureComesBackForItsItemAfterTheOnesBefore)
{
    for (const bool inPreparing : {false, true}) {
        for (const std::size_t workers : {0u, 2u}) {
            std::vector<std::size_t> prepared;
            WorkAhead work(
                20, workers,
                [&](std::size_t k, std::size_t) {
                    prepared.push_back(k);
                    if (inPreparing && k == 7)
                        throw std::runtime_error("item 7");
                },
                [&](std::size_t, std::size_t k, std::size_t) {
                    if (!inPreparing && k == 7)
                        throw std::runtime_error("item 7");
                });
            for (std::size_t k = 0; k < 7; ++k) {
                EXPECT_NO_THROW(work.Get(k));
                work.Done(k);
            }
            try {
                work.Get(7);
                ADD_FAILURE() << "no failure";
            } catch (const std::runtime_error& e) {
                EXPECT_STREQ(e.what(), "item 7");
            }
            // Nothing after an item that could not be prepared.
            if (inPreparing) {
                EXPECT_EQ(prepared.back(), 7u);
            }
        }  // the workers stop, whatever they were making
    }
}

TEST(WorkAhead, WorkersPerCore)
{
    // Threads beside the calling thread, which makes items too.
    EXPECT_EQ(WorkAhead::WorkersFor(1, 8), 0u);   // a single file: no thread
    EXPECT_EQ(WorkAhead::WorkersFor(10, 1), 0u);  // a single core
    EXPECT_EQ(WorkAhead::WorkersFor(10, 0), 0u);  // cores unknown
    EXPECT_EQ(WorkAhead::WorkersFor(10, 2), 1u);
    EXPECT_EQ(WorkAhead::WorkersFor(3, 8), 2u);
    EXPECT_EQ(WorkAhead::WorkersFor(100, 64), 3u);
    EXPECT_EQ(WorkAhead::SlotsFor(0), 1u);
}

// Every file of `folder` with its bytes.
std::map<std::string, std::string> Files(const std::filesystem::path& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files[entry.path().filename().string()] = test::ReadFile(entry.path());
    return files;
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
