#include "bench/HeapCounter.h"

#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>

#include "core/table/ColumnAllocator.h"

namespace kelvane::bench {
namespace {

// Counted by usable size, which delete can find again without being told.
std::atomic<size_t> liveBytes{0};

void* Allocate(size_t size, size_t alignment) {
    // Zero-byte requests still get a distinct address; aligned_alloc wants whole alignments.
    const size_t bytes = (std::max<size_t>(size, 1) + alignment - 1) / alignment * alignment;
    void* memory = alignment <= alignof(std::max_align_t) ? std::malloc(bytes)
                                                          : std::aligned_alloc(alignment, bytes);
    if (memory == nullptr) {
        throw std::bad_alloc();
    }
    liveBytes.fetch_add(malloc_usable_size(memory), std::memory_order_relaxed);
    return memory;
}

void Release(void* memory) noexcept {
    if (memory != nullptr) {
        liveBytes.fetch_sub(malloc_usable_size(memory), std::memory_order_relaxed);
        std::free(memory);
    }
}

}  // namespace

size_t LiveHeapBytes() {
    return liveBytes.load(std::memory_order_relaxed) + MappedColumnBytes();
}

}  // namespace kelvane::bench

// The array and nothrow forms of the library forward to these.
void* operator new(size_t size) {
    return kelvane::bench::Allocate(size, alignof(std::max_align_t));
}

void* operator new(size_t size, std::align_val_t alignment) {
    return kelvane::bench::Allocate(size, static_cast<size_t>(alignment));
}

void operator delete(void* memory) noexcept {
    kelvane::bench::Release(memory);
}

void operator delete(void* memory, size_t) noexcept {
    kelvane::bench::Release(memory);
}

void operator delete(void* memory, std::align_val_t) noexcept {
    kelvane::bench::Release(memory);
}

void operator delete(void* memory, size_t, std::align_val_t) noexcept {
    kelvane::bench::Release(memory);
}
