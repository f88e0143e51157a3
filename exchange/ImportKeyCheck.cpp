#include "exchange/ImportKeyCheck.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_set>

#include "core/base/EchoText.h"
#include "core/base/KelvaneError.h"
#include "core/base/ValueText.h"
#include "core/table/RecordTable.h"
#include "exchange/CellTexts.h"
#include "exchange/ImportRows.h"
#include "exchange/PatchKeyIndex.h"
#include "exchange/RepeatedImportKeyError.h"

namespace kelvane {
namespace {

constexpr int kKeyColumn = 1;
// A key on thousands of rows or records: the message lists the first of them.
constexpr size_t kNumbersListed = 10;
constexpr std::string_view kNothingChanged = " Nothing was changed.";

// "3", "3 and 5", "3, 5 and 9", "1, 2, ..., 10 and 4 more".
std::string NumberList(const std::vector<int64_t>& numbers) {
    const size_t listed = std::min(numbers.size(), kNumbersListed);
    std::string text;
    for (size_t i = 0; i < listed; ++i) {
        if (i > 0) {
            text += i + 1 == numbers.size() ? " and " : ", ";
        }
        text += std::to_string(numbers[i]);
    }
    if (listed < numbers.size()) {
        text += " and " + std::to_string(numbers.size() - listed) + " more";
    }
    return text;
}

std::string Plural(std::string_view word, size_t count) {
    return std::string(word) + (count == 1 ? "" : "s");
}

// "in.csv line 3", "spells.db, table 'Spell', rowids 3 and 5".
std::string RowsWhere(const ImportRows& rows, const std::vector<int>& which) {
    std::vector<int64_t> places;
    places.reserve(which.size());
    for (const int row : which) {
        places.push_back(rows.Place(row));
    }
    const ImportSource& source = rows.Source();
    return source.Name + source.Joint + Plural(source.RowWord, places.size()) + " " +
           NumberList(places);
}

std::vector<int> RowsWithKey(const std::vector<std::string>& keys, std::string_view key) {
    std::vector<int> rows;
    for (size_t row = 0; row < keys.size(); ++row) {
        if (keys[row] == key) {
            rows.push_back(static_cast<int>(row));
        }
    }
    return rows;
}

// The records whose key cell reads key, numbered from 1 in table order.
std::vector<int64_t> RecordsWithKey(const RecordTable& table, std::string_view key) {
    std::vector<int64_t> records;
    CellTexts cells(table);
    std::string text;
    for (int row = 0; row < table.RecordCount(); ++row) {
        text.clear();
        cells.Append(text, row, kKeyColumn);
        if (text == key) {
            records.push_back(row + 1);
        }
    }
    return records;
}

// The column of the rows that goes to the table's key column.
int KeyPosition(const ImportRows& rows) {
    for (int position = 0; position < rows.ColumnCount(); ++position) {
        if (rows.TableColumn(position) == kKeyColumn) {
            return position;
        }
    }
    return -1;  // ImportRows refuses columns without the key
}

std::string RepeatedKeyMessage(const RecordTable& table, const ImportRows& rows,
                               const std::vector<std::string>& keys, std::string_view key,
                               size_t otherKeys) {
    const std::vector<int> sourceRows = RowsWithKey(keys, key);
    const std::vector<int64_t> records = RecordsWithKey(table, key);
    const std::string recordsText =
        Plural("record", records.size()) + " " + NumberList(records) + " of the table";
    std::string message = RowsWhere(rows, sourceRows) + ": the key '" + EchoText(key) + "' ";
    if (sourceRows.size() > 1) {
        message += "stands on each of them";
        if (!records.empty()) {
            message += " and on " + recordsText;
        }
        message += ", so they cannot each be matched to a record by key";
    } else {
        message += "stands on " + recordsText + ", so it cannot be matched to one of them by key";
    }
    if (otherKeys > 0) {
        message += "; " + std::to_string(otherKeys) +
                   (otherKeys == 1 ? " more key repeats" : " more keys repeat") + " as well";
    }
    return message + "." + std::string(kNothingChanged);
}

}  // namespace

void RequireRowKeys(const RecordTable& table, const ImportRows& rows) {
    const int position = KeyPosition(rows);
    for (int row = 0; row < rows.RowCount(); ++row) {
        if (rows.IsBlank(row, position)) {
            throw KelvaneError(
                RowsWhere(rows, {row}) + ", column " + EchoText(table.ColumnName(kKeyColumn)) +
                ": the key is blank, and every record needs one." + std::string(kNothingChanged));
        }
    }
}

std::vector<std::string> RowKeyTexts(const ImportRows& rows) {
    const int position = KeyPosition(rows);
    std::vector<std::string> keys;
    keys.reserve(static_cast<size_t>(rows.RowCount()));
    for (int row = 0; row < rows.RowCount(); ++row) {
        switch (rows.Kind(position)) {
            case FieldKind::ftInteger:
                keys.push_back(IntegerText(rows.IntegerAt(row, position)));
                break;
            case FieldKind::ftFloat:
                keys.push_back(FloatText(rows.FloatAt(row, position)));
                break;
            case FieldKind::ftString:
                keys.emplace_back(rows.TextAt(row, position));
                break;
        }
    }
    return keys;
}

void RequireKeysMatchOnce(const RecordTable& table, const ImportRows& rows,
                          const std::vector<std::string>& keys, PatchKeyIndex& index) {
    std::unordered_set<std::string_view> seen;
    std::unordered_set<std::string_view> repeated;
    seen.reserve(keys.size());
    std::optional<std::string_view> first;
    for (const std::string& key : keys) {
        const bool again = !seen.insert(key).second;
        if ((again || index.RecordsWithKey(key) > 1) && repeated.insert(key).second && !first) {
            first = key;
        }
    }
    if (first) {
        throw RepeatedImportKeyError(
            RepeatedKeyMessage(table, rows, keys, *first, repeated.size() - 1));
    }
}

}  // namespace kelvane
