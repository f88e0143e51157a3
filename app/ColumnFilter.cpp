#include "app/ColumnFilter.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>

#include "core/base/EchoText.h"
#include "core/base/KelvaneError.h"
#include "core/base/TextUtil.h"
#include "core/table/ColumnPresentation.h"
#include "core/table/RecordTable.h"

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

void ColumnFilter::Keep(const RecordTable& table, std::vector<int>& rows) const {
    const std::vector<uint32_t>& slots = table.RecordSlots();
    const ColumnStore& store = table.ColumnStoreAt(column_);
    const auto slotOf = [&slots](int row) { return slots[static_cast<size_t>(row)]; };
    if (isText_) {
        const StringPool& strings = table.Strings();
        std::erase_if(rows, [&](int row) {
            const uint32_t slot = slotOf(row);
            return !contains_.Matches(store.IsBlank(slot) ? std::string_view()
                                                          : strings.View(store.Strings[slot]));
        });
        return;
    }
    // A blank cell's key is NaN, which no comparison passes.
    constexpr double kBlank = std::numeric_limits<double>::quiet_NaN();
    if (store.Kind == FieldKind::ftFloat) {
        KeepNumbers(rows, [&](int row) {
            const uint32_t slot = slotOf(row);
            return store.IsBlank(slot) ? kBlank : static_cast<float>(store.Floats[slot]);
        });
    } else if (hex_) {
        KeepNumbers(rows, [&](int row) {
            const uint32_t slot = slotOf(row);
            return store.IsBlank(slot) ? kBlank : static_cast<uint32_t>(store.Integers[slot]);
        });
    } else {
        KeepNumbers(rows, [&](int row) {
            const uint32_t slot = slotOf(row);
            return store.IsBlank(slot) ? kBlank : store.Integers[slot];
        });
    }
}

// The test is chosen once, so the loop over the rows only compares.
template <typename KeyOf>
void ColumnFilter::KeepNumbers(std::vector<int>& rows, const KeyOf& keyOf) const {
    const double low = low_;
    const double high = high_;
    const auto keepIf = [&](const auto& passes) {
        std::erase_if(rows, [&](int row) { return !passes(static_cast<double>(keyOf(row))); });
    };
    switch (test_) {
        case Test::Equal:
            return keepIf([low](double value) { return value == low; });
        case Test::NotEqual:
            return keepIf([low](double value) { return value == value && value != low; });
        case Test::Less:
            return keepIf([low](double value) { return value < low; });
        case Test::LessOrEqual:
            return keepIf([low](double value) { return value <= low; });
        case Test::Greater:
            return keepIf([low](double value) { return value > low; });
        case Test::GreaterOrEqual:
            return keepIf([low](double value) { return value >= low; });
        case Test::Between:
            break;
    }
    keepIf([low, high](double value) { return value >= low && value <= high; });
}

}  // namespace kelvane
