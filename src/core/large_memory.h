// Memory for the large tables of a generation: the terrain's node grid and
// the tables of a tile being made, megabytes that are touched once each run.
//
// On Linux a block of half a megabyte or more is taken straight from the system
// in whole, aligned 2 MiB pages and marked for the kernel's transparent
// huge pages (which most distributions grant on request): its first touch
// then costs one page fault per 2 MiB instead of 512, and page faults were
// a sixth of a large terrain's time. Where the kernel grants none the block
// works as ordinary memory. Smaller blocks, and every block elsewhere, come
// from the usual heap.
#pragma once

#include <cstddef>
#include <memory_resource>

namespace kestrane {

// `bytes` of zeroed memory, aligned for any type. Throws std::bad_alloc.
void* AllocateLarge(std::size_t bytes);
// Gives back a block of AllocateLarge (`bytes` as asked for then).
void FreeLarge(void* memory, std::size_t bytes) noexcept;

// An allocator of AllocateLarge for a std::vector of one large table.
template <typename T>
struct LargeAllocator {
    using value_type = T;
    LargeAllocator() = default;
    template <typename U>
    LargeAllocator(const LargeAllocator<U>&) noexcept
    {
    }
    T* allocate(std::size_t count) { return static_cast<T*>(AllocateLarge(count * sizeof(T))); }
    void deallocate(T* memory, std::size_t count) noexcept { FreeLarge(memory, count * sizeof(T)); }
    template <typename U>
    bool operator==(const LargeAllocator<U>&) const noexcept
    {
        return true;
    }
};

// One large block that the tables of a worker are carved from in turn
// (std::pmr containers): they get memory side by side, in the block's
// pages. A table that outgrows what is left takes ordinary heap memory
// instead; nothing is given back before the arena goes.
class LargeArena {
public:
    explicit LargeArena(std::size_t bytes);
    ~LargeArena();
    LargeArena(const LargeArena&) = delete;
    LargeArena& operator=(const LargeArena&) = delete;

    std::pmr::memory_resource* Resource() { return &tables_; }

private:
    std::size_t bytes_;
    void* block_;
    std::pmr::monotonic_buffer_resource tables_;
};

}  // namespace kestrane
