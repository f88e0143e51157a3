#include "app/ColumnMatchScan.h"

#include <bit>
#include <charconv>

#include "app/CellTextMatcher.h"
#include "core/base/ValueText.h"

namespace kelvane {

template <typename TextOf>
bool ColumnMatchScan::MatchMemo::Matches(uint64_t bits, const CellTextMatcher& matcher,
                                         const TextOf& textOf) {
    // Fibonacci hashing spreads small and flag-like values over the whole table.
    constexpr int kIndexBits = std::bit_width(std::tuple_size_v<decltype(entries_)> - 1);
    Entry& entry = entries_[(bits * 0x9E3779B97F4A7C15ull) >> (64 - kIndexBits)];
    if (!entry.Known || entry.Bits != bits) {
        entry = {bits, true, matcher.Matches(textOf())};
    }
    return entry.Matches;
}

ColumnMatchScan::ColumnMatchScan(const RecordTable& table, const CellTextMatcher& matcher)
    : table_(table),
      matcher_(matcher),
      blankMatches_(matcher.Matches({})),
      integersCanMatch_(matcher.CanMatchTextOf("-0123456789")) {}

int ColumnMatchScan::FirstMatch(int column, int from, int end) {
    const ColumnStore& store = table_.ColumnStoreAt(column);
    switch (table_.ColumnKind(column)) {
        case FieldKind::ftString:
            return FirstRow(store, from, end, [&](uint32_t slot) {
                return matcher_.Matches(table_.Strings().View(store.Strings[slot]));
            });
        case FieldKind::ftFloat:
            return FirstRow(store, from, end, [&](uint32_t slot) {
                const double value = store.Floats[slot];
                return floats_.Matches(std::bit_cast<uint64_t>(value), matcher_,
                                       [value] { return FloatText(value); });
            });
        case FieldKind::ftInteger:
            break;
    }
    if (!integersCanMatch_) {
        return blankMatches_ ? FirstRow(store, from, end, [](uint32_t) { return false; }) : end;
    }
    return FirstRow(store, from, end, [&](uint32_t slot) {
        const int32_t value = store.Integers[slot];
        return integers_.Matches(std::bit_cast<uint32_t>(value), matcher_,
                                 [this, value] { return DecimalText(value); });
    });
}

template <typename CellMatches>
int ColumnMatchScan::FirstRow(const ColumnStore& store, int from, int end,
                              const CellMatches& cellMatches) {
    const std::vector<uint32_t>& slots = table_.RecordSlots();
    for (int row = from; row < end; ++row) {
        const uint32_t slot = slots[static_cast<size_t>(row)];
        if (store.IsBlank(slot) ? blankMatches_ : cellMatches(slot)) {
            return row;
        }
    }
    return end;
}

// The text IntegerText gives, written into a buffer reused from cell to cell.
std::string_view ColumnMatchScan::DecimalText(int32_t value) {
    const auto written = std::to_chars(digits_.data(), digits_.data() + digits_.size(), value);
    return {digits_.data(), static_cast<size_t>(written.ptr - digits_.data())};
}

}  // namespace kelvane
