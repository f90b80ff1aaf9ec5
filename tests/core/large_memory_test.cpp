#include "core/large_memory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace kestrane {
namespace {

// Blocks on either side of the size where the system's pages take over:
// zeroed, aligned for any type, writable to the last byte, and given back.
TEST(LargeMemory, BlocksAreZeroedAlignedAndWholeOnBothSidesOfTheLargeSize)
{
    for (const std::size_t bytes : {std::size_t{1}, std::size_t{100'000}, std::size_t{256} << 10,
                                    (std::size_t{2} << 20) + 1, std::size_t{3'270'000}}) {
        auto* block = static_cast<unsigned char*>(AllocateLarge(bytes));
        ASSERT_NE(block, nullptr) << bytes;
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % alignof(std::max_align_t), 0U) << bytes;
        EXPECT_TRUE(std::all_of(block, block + bytes, [](unsigned char b) { return b == 0; })) << bytes;
        std::fill(block, block + bytes, 0xA5);
        FreeLarge(block, bytes);
    }
    FreeLarge(nullptr, 0);
}

// Tables carved from an arena keep their contents; one that outgrows the
// block goes on in ordinary memory.
TEST(LargeMemory, ArenaTablesHoldTheirValuesAndOutgrowTheBlock)
{
    LargeArena arena(std::size_t{1} << 20);
    std::pmr::vector<std::uint32_t> first(arena.Resource()), second(arena.Resource());
    first.resize(100'000);
    second.resize(100'000);
    for (std::uint32_t k = 0; k < 100'000; ++k) {
        first[k] = k;
        second[k] = ~k;
    }
    std::pmr::vector<std::uint64_t> beyond(arena.Resource());
    beyond.resize(300'000, 7);  // more than the block has left
    for (std::uint32_t k = 0; k < 100'000; ++k)
        ASSERT_TRUE(first[k] == k && second[k] == ~k) << k;
    EXPECT_EQ(beyond.back(), 7U);

    std::vector<double, LargeAllocator<double>> table(400'000);
    EXPECT_TRUE(std::all_of(table.begin(), table.end(), [](double v) { return v == 0.0; }));
}

}  // namespace
}  // namespace kestrane
