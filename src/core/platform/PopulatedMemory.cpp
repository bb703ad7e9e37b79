#include "platform/PopulatedMemory.h"

#include <cstdlib>

#include <sys/mman.h>

namespace populatedMemory {
namespace {

// Below this the heap's own pages, already touched, serve better.
constexpr std::size_t Large = std::size_t(256) << 10;

}  // namespace

void* allocate(std::size_t bytes)
{
    if (bytes < Large) {
        void* memory = std::malloc(bytes ? bytes : 1);
        if (!memory)
            throw std::bad_alloc();
        return memory;
    }
    void* memory = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED)
        throw std::bad_alloc();
    // Huge pages where the system has them to give; then every page at once. Either may be
    // refused (an older kernel): the pages then come one fault at a time, as from the heap.
    ::madvise(memory, bytes, MADV_HUGEPAGE);
#ifdef MADV_POPULATE_WRITE
    ::madvise(memory, bytes, MADV_POPULATE_WRITE);
#endif
    return memory;
}

void release(void* memory, std::size_t bytes)
{
    if (!memory)
        return;
    if (bytes < Large)
        std::free(memory);
    else
        ::munmap(memory, bytes);
}

}  // namespace populatedMemory
