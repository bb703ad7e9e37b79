#pragma once

#include <cstddef>
#include <new>

// Large working buffers whose pages are all put in place when the buffer is made. Freshly
// allocated memory otherwise costs a page fault at the first touch of each page, and on a virtual
// machine a fault is dear: a pass that fills ten megabytes of buffers spent a fifth of its time
// there. Filled in one request (in huge pages where the system gives them), the same memory costs
// a few faults. Small buffers come from the ordinary heap.
namespace populatedMemory {

void* allocate(std::size_t bytes);
void release(void* memory, std::size_t bytes);

template <typename T>
struct Allocator {
    using value_type = T;
    Allocator() = default;
    template <typename U>
    Allocator(const Allocator<U>&) noexcept
    {
    }
    T* allocate(std::size_t count) { return static_cast<T*>(populatedMemory::allocate(count * sizeof(T))); }
    void deallocate(T* memory, std::size_t count) noexcept { release(memory, count * sizeof(T)); }
    template <typename U>
    bool operator==(const Allocator<U>&) const noexcept
    {
        return true;
    }
};

}  // namespace populatedMemory
