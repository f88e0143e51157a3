#pragma once

#include <cstddef>
#include <vector>

namespace kelvane {

// Memory for the cells of a column. A big table's columns together take about as much memory as
// its file, and with small pages their first touch costs more than decoding the cells does, so
// big arrays are mapped on their own and offered to the system's transparent huge pages; small
// ones come from the usual heap.
void* AllocateColumnBytes(size_t bytes);
void FreeColumnBytes(void* memory, size_t bytes) noexcept;
// The bytes column mappings hold right now, which counts of the heap do not see.
size_t MappedColumnBytes();

template <typename T>
class ColumnAllocator {
  public:
    using value_type = T;

    ColumnAllocator() = default;
    template <typename U>
    explicit ColumnAllocator(const ColumnAllocator<U>& /*other*/) noexcept {}

    T* allocate(size_t count) { return static_cast<T*>(AllocateColumnBytes(count * sizeof(T))); }
    void deallocate(T* cells, size_t count) noexcept { FreeColumnBytes(cells, count * sizeof(T)); }

    friend bool operator==(const ColumnAllocator&, const ColumnAllocator&) { return true; }
};

template <typename T>
using ColumnVector = std::vector<T, ColumnAllocator<T>>;

}  // namespace kelvane
