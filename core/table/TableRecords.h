#pragma once

#include <cstdint>
#include <vector>

#include "core/table/ColumnStore.h"
#include "core/table/StringPool.h"

namespace kelvane {

// Every record of a table taken out whole, identities included, so that emptying a table can be
// taken back without copying a cell: the table hands its storage over and later takes it back.
struct TableRecords {
    std::vector<ColumnStore> Stores;
    StringPool Strings;
    std::vector<uint32_t> Order;
    std::vector<uint32_t> FreeSlots;
    std::vector<uint64_t> Serials;

    int Count() const { return static_cast<int>(Order.size()); }
};

}  // namespace kelvane
