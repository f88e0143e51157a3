#pragma once

#include <string>
#include <string_view>

#include "app/SearchSettings.h"

namespace kelvane {

// Decides whether one cell text matches the value of a record search. Built once per search,
// so the value is folded once and each cell is compared without allocating.
class CellTextMatcher {
  public:
    CellTextMatcher(std::string_view value, SearchMode mode, bool caseSensitive);

    // An empty value matches every text at a beginning, only the empty text exactly and no
    // text at any position.
    bool Matches(std::string_view text) const;
    // Whether some non-empty text made only of these characters can match: a value with any
    // other character cannot be in such a text, nor begin or be one.
    bool CanMatchTextOf(std::string_view characters) const;

  private:
    bool SameText(std::string_view text) const;
    bool Contains(std::string_view text) const;

    std::string value_;  // upper-cased when letters are compared without case
    SearchMode mode_;
    bool caseSensitive_;
};

}  // namespace kelvane
