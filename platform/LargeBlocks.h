#pragma once

#include <cstddef>
#include <new>

namespace platform {

// Memory for the few large tables a process fills once (the entries of a DTA file): from
// the system in huge pages where it offers them, so filling tens of megabytes costs a few
// page faults instead of thousands. Small requests go to the ordinary heap.
namespace largeblocks {

void* allocate(std::size_t bytes);
void release(void* block, std::size_t bytes) noexcept;

} // namespace largeblocks

// A standard allocator over largeblocks, for containers such as std::vector.
template <typename T> struct LargeBlockAllocator {
    using value_type = T;

    LargeBlockAllocator() = default;
    template <typename U> LargeBlockAllocator(const LargeBlockAllocator<U>&) noexcept {}

    T* allocate(std::size_t count) {
        if (count > static_cast<std::size_t>(-1) / sizeof(T)) {
            throw std::bad_array_new_length();
        }
        return static_cast<T*>(largeblocks::allocate(count * sizeof(T)));
    }
    void deallocate(T* block, std::size_t count) noexcept {
        largeblocks::release(block, count * sizeof(T));
    }

    template <typename U> bool operator==(const LargeBlockAllocator<U>&) const noexcept {
        return true;
    }
};

} // namespace platform
