#include "app/RowSort.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <limits>
#include <string_view>
#include <utility>

#include "core/table/ColumnPresentation.h"
#include "core/table/RecordTable.h"

namespace kelvane {
namespace {

constexpr int64_t kBlankKey = std::numeric_limits<int64_t>::min();

// A key whose integer order is the total order of doubles, so NaN bits cannot upset the sort.
int64_t FloatKey(double value) {
    const auto bits = std::bit_cast<int64_t>(value);
    return bits < 0 ? bits ^ std::numeric_limits<int64_t>::max() : bits;
}

template <typename Key, typename KeyOf>
void SortByKey(const RecordTable& table, SortOrder order, std::vector<int>& rows,
               const KeyOf& keyOf) {
    const std::vector<uint32_t>& slots = table.RecordSlots();
    std::vector<std::pair<Key, int>> keyed;
    keyed.reserve(rows.size());
    for (const int row : rows) {
        keyed.emplace_back(keyOf(slots[static_cast<size_t>(row)]), row);
    }
    if (order == SortOrder::Descending) {
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto& a, const auto& b) { return b.first < a.first; });
    } else {
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
    }
    std::transform(keyed.begin(), keyed.end(), rows.begin(),
                   [](const auto& entry) { return entry.second; });
}

}  // namespace

void SortRows(const RecordTable& table, int column, SortOrder order, std::vector<int>& rows) {
    if (order == SortOrder::FileOrder) {
        return;
    }
    const ColumnStore& store = table.ColumnStoreAt(column);
    switch (store.Kind) {
        case FieldKind::ftString:
            SortByKey<std::string_view>(table, order, rows, [&](uint32_t slot) {
                return store.IsBlank(slot) ? std::string_view()
                                           : table.Strings().View(store.Strings[slot]);
            });
            return;
        case FieldKind::ftFloat:
            SortByKey<int64_t>(table, order, rows, [&](uint32_t slot) {
                return store.IsBlank(slot) ? kBlankKey : FloatKey(store.Floats[slot]);
            });
            return;
        case FieldKind::ftInteger:
            break;
    }
    const bool unsignedValues = table.Presentation(column).HexHooks;
    SortByKey<int64_t>(table, order, rows, [&](uint32_t slot) -> int64_t {
        if (store.IsBlank(slot)) {
            return kBlankKey;
        }
        const int32_t value = store.Integers[slot];
        return unsignedValues ? static_cast<int64_t>(static_cast<uint32_t>(value)) : value;
    });
}

}  // namespace kelvane
