#include "app/ColumnFilter.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "core/EchoText.h"
#include "core/KelvaneError.h"
#include "core/RecordTable.h"
#include "core/TextUtil.h"

namespace kelvane {
namespace {

struct Operator {
    std::string_view Symbol;
    bool Negated;
    int Direction;  // -1 below, 0 equal, 1 above
    bool OrEqual;
};

// Longest symbols first, so "<=" is not read as "<" followed by "=5".
constexpr Operator kOperators[] = {
    {"!=", true, 0, false}, {"<=", false, -1, true}, {">=", false, 1, true},
    {"=", false, 0, false}, {"<", false, -1, false}, {">", false, 1, false},
};

std::string_view WithoutHexPrefix(std::string_view text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        return text.substr(2);
    }
    return text.starts_with('$') ? text.substr(1) : text;
}

}  // namespace

ColumnFilter::ColumnFilter(const RecordTable& table, int column, std::string_view text)
    : column_(column),
      text_(TrimBlanks(text)),
      isText_(table.ColumnKind(column) == FieldKind::ftString),
      hex_(table.Presentation(column).HexHooks),
      contains_(text_, SearchMode::AnyPosition, false) {
    if (!isText_) {
        ParseNumberTest(table, text_);
    }
}

void ColumnFilter::ParseNumberTest(const RecordTable& table, std::string_view text) {
    if (const size_t dots = text.find(".."); dots != std::string_view::npos) {
        test_ = Test::Between;
        low_ = ParseNumber(table, TrimBlanks(text.substr(0, dots)));
        high_ = ParseNumber(table, TrimBlanks(text.substr(dots + 2)));
        if (low_ > high_) {
            throw KelvaneError("The filter '" + EchoText(text_) + "' of column '" +
                               EchoText(table.Presentation(column_).Caption) +
                               "' is an empty range: write the smaller number first.");
        }
        return;
    }
    for (const Operator& op : kOperators) {
        if (text.starts_with(op.Symbol)) {
            text.remove_prefix(op.Symbol.size());
            if (op.Negated) {
                test_ = Test::NotEqual;
            } else if (op.Direction == 0) {
                test_ = Test::Equal;
            } else if (op.Direction < 0) {
                test_ = op.OrEqual ? Test::LessOrEqual : Test::Less;
            } else {
                test_ = op.OrEqual ? Test::GreaterOrEqual : Test::Greater;
            }
            break;
        }
    }
    low_ = ParseNumber(table, TrimBlanks(text));
}

double ColumnFilter::ParseNumber(const RecordTable& table, std::string_view text) const {
    const std::string digits(hex_ ? WithoutHexPrefix(text) : text);
    const char* const end = digits.data() + digits.size();
    bool read = false;
    double value = 0;
    if (table.ColumnKind(column_) == FieldKind::ftFloat) {
        std::string dotted = digits;
        std::replace(dotted.begin(), dotted.end(), ',', '.');
        const auto [ptr, ec] = std::from_chars(dotted.data(), dotted.data() + dotted.size(), value);
        read = ec == std::errc() && ptr == dotted.data() + dotted.size();
        value = static_cast<float>(value);
    } else {
        int64_t integer = 0;
        const auto [ptr, ec] = std::from_chars(digits.data(), end, integer, hex_ ? 16 : 10);
        read = ec == std::errc() && ptr == end;
        value = static_cast<double>(integer);
    }
    if (digits.empty() || !read) {
        const char* forms = hex_ ? "1F, =1F, !=1F, >1F, <=1F or 1F..FF (hexadecimal)"
                                 : "5, =5, !=5, >5, <=5 or 5..10";
        throw KelvaneError("The filter '" + EchoText(text_) + "' of column '" +
                           EchoText(table.Presentation(column_).Caption) +
                           "' is not a number test: write " + forms + ".");
    }
    return value;
}

bool ColumnFilter::Matches(const RecordTable& table, uint32_t slot) const {
    const ColumnStore& store = table.ColumnStoreAt(column_);
    if (isText_) {
        const std::string_view text =
            store.IsBlank(slot) ? std::string_view() : table.Strings().View(store.Strings[slot]);
        return contains_.Matches(text);
    }
    return !store.IsBlank(slot) && PassesNumberTest(NumberKey(table, slot));
}

double ColumnFilter::NumberKey(const RecordTable& table, uint32_t slot) const {
    const ColumnStore& store = table.ColumnStoreAt(column_);
    if (store.Kind == FieldKind::ftFloat) {
        return static_cast<float>(store.Floats[slot]);
    }
    const int32_t value = store.Integers[slot];
    return hex_ ? static_cast<double>(static_cast<uint32_t>(value)) : value;
}

bool ColumnFilter::PassesNumberTest(double value) const {
    switch (test_) {
        case Test::Equal:
            return value == low_;
        case Test::NotEqual:
            return value != low_;
        case Test::Less:
            return value < low_;
        case Test::LessOrEqual:
            return value <= low_;
        case Test::Greater:
            return value > low_;
        case Test::GreaterOrEqual:
            return value >= low_;
        case Test::Between:
            break;
    }
    return value >= low_ && value <= high_;
}

}  // namespace kelvane
