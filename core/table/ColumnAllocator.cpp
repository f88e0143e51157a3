#include "core/table/ColumnAllocator.h"

#include <sys/mman.h>

#include <atomic>
#include <new>

namespace kelvane {
namespace {

// Below this an array shares the heap's pages; above it a mapping of its own costs one system
// call, which is nothing beside touching its pages.
constexpr size_t kMappedBytes = 256 * 1024;
constexpr size_t kPageBytes = 4096;

std::atomic<size_t> mappedBytes{0};

size_t MappedSize(size_t bytes) {
    return (bytes + kPageBytes - 1) / kPageBytes * kPageBytes;
}

}  // namespace

void* AllocateColumnBytes(size_t bytes) {
    if (bytes < kMappedBytes) {
        return ::operator new(bytes);
    }
    void* memory = ::mmap(nullptr, MappedSize(bytes), PROT_READ | PROT_WRITE,
                          MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
        throw std::bad_alloc();
    }
    // Neighbouring column mappings merge into one area, so huge pages fit even though each
    // column alone is smaller than one. Without huge pages the advice is simply ignored.
    ::madvise(memory, MappedSize(bytes), MADV_HUGEPAGE);
    mappedBytes.fetch_add(MappedSize(bytes), std::memory_order_relaxed);
    return memory;
}

void FreeColumnBytes(void* memory, size_t bytes) noexcept {
    if (bytes < kMappedBytes) {
        ::operator delete(memory);
        return;
    }
    ::munmap(memory, MappedSize(bytes));
    mappedBytes.fetch_sub(MappedSize(bytes), std::memory_order_relaxed);
}

size_t MappedColumnBytes() {
    return mappedBytes.load(std::memory_order_relaxed);
}

}  // namespace kelvane
