#include "platform/LargeBlocks.h"

#include <cstdlib>

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/mman.h>
#endif

namespace platform::largeblocks {
namespace {

// Below this the heap serves better; above it a block gets pages of its own.
constexpr std::size_t kLargeBlock = std::size_t{2} << 20;

void* fromHeap(std::size_t bytes) {
    void* block = std::malloc(bytes == 0 ? 1 : bytes);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    return block;
}

} // namespace

#if defined(_WIN32)

// Large pages need a privilege ordinary users lack; committed pages still come in one call.
void* allocate(std::size_t bytes) {
    if (bytes < kLargeBlock) {
        return fromHeap(bytes);
    }
    void* block = VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    return block;
}

void release(void* block, std::size_t bytes) noexcept {
    if (bytes < kLargeBlock) {
        std::free(block);
    } else {
        VirtualFree(block, 0, MEM_RELEASE);
    }
}

#else

// Rounded to whole huge pages, so the kernel can back all of it with them.
std::size_t mappedSize(std::size_t bytes) {
    return (bytes + kLargeBlock - 1) / kLargeBlock * kLargeBlock;
}

void* allocate(std::size_t bytes) {
    if (bytes < kLargeBlock) {
        return fromHeap(bytes);
    }
    void* block = mmap(nullptr, mappedSize(bytes), PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED) {
        throw std::bad_alloc();
    }
#if defined(MADV_HUGEPAGE)
    // Only advice: without transparent huge pages the block keeps ordinary pages.
    madvise(block, mappedSize(bytes), MADV_HUGEPAGE);
#endif
    return block;
}

void release(void* block, std::size_t bytes) noexcept {
    if (bytes < kLargeBlock) {
        std::free(block);
    } else {
        munmap(block, mappedSize(bytes));
    }
}

#endif

} // namespace platform::largeblocks
