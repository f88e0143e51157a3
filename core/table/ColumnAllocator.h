#pragma once

#include <cstddef>
#include <new>
#include <utility>
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
    // Cells made without a value are left unset: a reader that writes every cell next does not
    // pay for filling them first. Everyone else gives the value (resize(n, value)).
    template <typename U>
    void construct(U* cell) noexcept {
        ::new (static_cast<void*>(cell)) U;
    }
    template <typename U, typename... Args>
    void construct(U* cell, Args&&... args) {
        ::new (static_cast<void*>(cell)) U(std::forward<Args>(args)...);
    }
    void deallocate(T* cells, size_t count) noexcept { FreeColumnBytes(cells, count * sizeof(T)); }

    friend bool operator==(const ColumnAllocator&, const ColumnAllocator&) { return true; }
};

// resize(n) without a value leaves the new cells unset.
template <typename T>
using ColumnVector = std::vector<T, ColumnAllocator<T>>;

}  // namespace kelvane
