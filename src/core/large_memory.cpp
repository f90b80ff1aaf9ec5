#include "core/large_memory.h"

#include <cstdint>
#include <cstdlib>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace kestrane {

namespace {

#ifdef __linux__
constexpr std::size_t kHugePage = std::size_t{2} << 20;
// Smaller blocks stay on the heap: a huge page of its own would zero far
// more than they use.
constexpr std::size_t kLeastLargeBlock = std::size_t{1} << 19;

std::size_t WholeHugePages(std::size_t bytes) { return (bytes + kHugePage - 1) / kHugePage * kHugePage; }

// Whether a block of `bytes` is mapped in huge pages (else taken from the
// heap): the same answer when it is allocated and when it is freed.
bool InHugePages(std::size_t bytes) { return bytes >= kLeastLargeBlock && bytes <= SIZE_MAX - 2 * kHugePage; }
#endif

}  // namespace

void* AllocateLarge(std::size_t bytes)
{
#ifdef __linux__
    if (InHugePages(bytes)) {
        // A huge page lies at a multiple of its size: the mapping is taken
        // a page longer and trimmed to the aligned part.
        const std::size_t length = WholeHugePages(bytes);
        void* mapped = ::mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED)
            throw std::bad_alloc();
        const auto start = reinterpret_cast<std::uintptr_t>(mapped);
        const std::uintptr_t aligned = (start + kHugePage - 1) & ~(kHugePage - 1);
        if (aligned > start)
            ::munmap(mapped, aligned - start);
        if (const std::size_t tail = start + kHugePage - aligned; tail > 0)
            ::munmap(reinterpret_cast<void*>(aligned + length), tail);
        void* block = reinterpret_cast<void*>(aligned);
        ::madvise(block, length, MADV_HUGEPAGE);  // a kernel without them: ordinary pages
        return block;
    }
#endif
    void* block = std::calloc(1, bytes == 0 ? 1 : bytes);
    if (block == nullptr)
        throw std::bad_alloc();
    return block;
}

void FreeLarge(void* memory, std::size_t bytes) noexcept
{
    if (memory == nullptr)
        return;
#ifdef __linux__
    if (InHugePages(bytes)) {
        ::munmap(memory, WholeHugePages(bytes));
        return;
    }
#else
    (void)bytes;
#endif
    std::free(memory);
}

LargeArena::LargeArena(std::size_t bytes)
    : bytes_(bytes), block_(AllocateLarge(bytes)), tables_(block_, bytes_, std::pmr::new_delete_resource())
{
}

LargeArena::~LargeArena()
{
    tables_.release();
    FreeLarge(block_, bytes_);
}

}  // namespace kestrane
