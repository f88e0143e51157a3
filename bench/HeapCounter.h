#pragma once

#include <cstddef>

namespace kelvane::bench {

// Bytes held right now through operator new in this program (the benchmark binary replaces
// the global allocation functions to count them), and in the mappings of big table columns.
size_t LiveHeapBytes();

}  // namespace kelvane::bench
