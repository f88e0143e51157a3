#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/table/RecordTable.h"

namespace kelvane {

class CellTextMatcher;

// Looks for matching cells one column at a time, fast enough for tables of 100,000 records
// with hundreds of columns: string cells are compared in place, and a number is written out
// as text only the first time its value comes up, since tables repeat the same numbers (zeros,
// flags, references) over and over.
// Needs the table in browse state, unchanged while the scan is used.
class ColumnMatchScan {
  public:
    ColumnMatchScan(const RecordTable& table, const CellTextMatcher& matcher);

    // The first row in [from, end) whose cell in the column matches; end when none does.
    int FirstMatch(int column, int from, int end);

  private:
    // Whether the text of a value matched, remembered in a small table keyed by its bits.
    class MatchMemo {
      public:
        template <typename TextOf>
        bool Matches(uint64_t bits, const CellTextMatcher& matcher, const TextOf& textOf);

      private:
        struct Entry {
            uint64_t Bits = 0;
            bool Known = false;
            bool Matches = false;
        };
        std::array<Entry, 4096> entries_{};
    };

    template <typename CellMatches>
    int FirstRow(const ColumnStore& store, int from, int end, const CellMatches& cellMatches);

    std::string_view DecimalText(int32_t value);

    const RecordTable& table_;
    const CellTextMatcher& matcher_;
    const bool blankMatches_;  // blank cells have the empty text
    // Most columns hold integers: a value with a letter in it (a name searched in all columns)
    // passes them over without a look at their cells.
    const bool integersCanMatch_;
    MatchMemo integers_;
    MatchMemo floats_;
    std::array<char, 12> digits_{};  // "-2147483648" is the longest integer text
};

}  // namespace kelvane
