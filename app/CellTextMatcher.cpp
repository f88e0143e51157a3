#include "app/CellTextMatcher.h"

#include <algorithm>

#include "core/base/TextUtil.h"

namespace kelvane {

CellTextMatcher::CellTextMatcher(std::string_view value, SearchMode mode, bool caseSensitive)
    : value_(caseSensitive ? std::string(value) : UpperCase(value)),
      mode_(mode),
      caseSensitive_(caseSensitive) {}

bool CellTextMatcher::Matches(std::string_view text) const {
    switch (mode_) {
        case SearchMode::AtBeginning:
            return text.size() >= value_.size() && SameText(text.substr(0, value_.size()));
        case SearchMode::Exactly:
            return SameText(text);
        case SearchMode::AnyPosition:
            return !value_.empty() && Contains(text);
    }
    return false;
}

bool CellTextMatcher::CanMatchTextOf(std::string_view characters) const {
    return std::all_of(value_.begin(), value_.end(), [characters](char c) {
        return characters.find(c) != std::string_view::npos;
    });
}

bool CellTextMatcher::SameText(std::string_view text) const {
    return caseSensitive_ ? text == value_ : EqualsIgnoreCase(text, value_);
}

bool CellTextMatcher::Contains(std::string_view text) const {
    if (caseSensitive_) {
        return text.find(value_) != std::string_view::npos;
    }
    return std::search(text.begin(), text.end(), value_.begin(), value_.end(),
                       [](char cell, char upperValue) {
                           return UpperCaseChar(cell) == upperValue;
                       }) != text.end();
}

}  // namespace kelvane
