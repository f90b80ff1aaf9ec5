// Items made on worker threads: they are finished in order whatever the
// workers, and a failure comes back for its own item.
#include "terrain/work_ahead.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <chrono>
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

TEST(WorkAhead, AWorkerTakesTheHeaviestPreparedItemFirst)
{
    // Weights in no order; the first items prepared are the ring's.
    const std::vector<std::size_t> weights{3, 1, 9, 4, 1, 5, 9, 2, 6, 5, 3, 5};
    const std::size_t slots = WorkAhead::SlotsFor(1);
    ASSERT_LE(slots, weights.size());
    std::mutex mutex;
    std::vector<std::size_t> byWorker;  // the items the worker made, in turn
    std::atomic<bool> workerBegan{false};
    WorkAhead work(
        weights.size(), 1, [](std::size_t, std::size_t) {},
        [&](std::size_t maker, std::size_t k, std::size_t) {
            const std::lock_guard<std::mutex> lock(mutex);
            if (maker == 0)
                byWorker.push_back(k);
            workerBegan = workerBegan || maker == 0;
        },
        weights);
    // The calling thread asks for nothing before the worker took an item.
    for (int wait = 0; !workerBegan && wait < 5000; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    for (std::size_t k = 0; k < weights.size(); ++k) {
        work.Get(k);
        work.Done(k);
    }
    // The heaviest of the first prepared items (the first of equal ones),
    // before the calling thread asked for any.
    const auto heaviest = std::max_element(weights.begin(), weights.begin() + static_cast<std::ptrdiff_t>(slots));
    ASSERT_FALSE(byWorker.empty());
    EXPECT_EQ(byWorker.front(), static_cast<std::size_t>(heaviest - weights.begin()));
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

}  // namespace
}  // namespace kestrane
