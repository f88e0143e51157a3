#include "app/RecordSearch.h"

#include <algorithm>
#include <numeric>

#include "app/CellTextMatcher.h"
#include "app/ColumnMatchScan.h"
#include "core/NotificationSuspension.h"
#include "core/RecordTable.h"
#include "core/TextUtil.h"

namespace kelvane {
namespace {

// The first row from `from` on with a matching cell in one of the columns; -1 when there is
// none. The rows are taken in blocks, so a match near the start is found without a pass over
// whole columns; within a block the columns are taken one by one, each bounded by the first
// match found so far.
int FirstMatchingRow(const RecordTable& table, int from, const std::vector<int>& columns,
                     const CellTextMatcher& matcher) {
    constexpr int kBlockRows = 1024;
    ColumnMatchScan scan(table, matcher);
    const int recordCount = table.RecordCount();
    for (int blockStart = std::max(from, 0); blockStart < recordCount; blockStart += kBlockRows) {
        const int blockEnd = std::min(blockStart + kBlockRows, recordCount);
        int first = blockEnd;
        for (const int column : columns) {
            first = scan.FirstMatch(column, blockStart, first);
        }
        if (first < blockEnd) {
            return first;
        }
    }
    return -1;
}

std::vector<int> SearchedColumns(const RecordTable& table, const std::string& field) {
    if (!field.empty()) {
        const int column = table.FindColumn(field);
        return column < 0 ? std::vector<int>{} : std::vector<int>{column};
    }
    std::vector<int> columns(static_cast<size_t>(table.FieldCount()));
    std::iota(columns.begin(), columns.end(), 0);
    return columns;
}

// A record being edited is posted when changed and dropped otherwise, as any cursor move does.
void SettleEditing(RecordTable& table) {
    if (table.State() == TableState::Browse) {
        return;
    }
    if (table.Modified()) {
        table.Post();
    } else {
        table.Cancel();
    }
}

bool IsDirectLookup(const SearchSettings& settings) {
    return !settings.Field.empty() && settings.Origin == SearchOrigin::FirstRecord &&
           settings.Mode != SearchMode::AnyPosition;
}

void LookUp(RecordTable& table, const SearchSettings& settings, const CellTextMatcher& matcher) {
    const std::vector<int> columns = SearchedColumns(table, settings.Field);
    if (columns.empty()) {
        return;
    }
    SettleEditing(table);
    const int row = FirstMatchingRow(table, 0, columns, matcher);
    if (row >= 0) {
        table.MoveTo(row);
    }
}

void Scan(RecordTable& table, const SearchSettings& settings, const CellTextMatcher& matcher) {
    NotificationSuspension suspension(table);
    if (settings.Origin == SearchOrigin::FirstRecord) {
        table.First();
    } else {
        table.Next();
    }
    const int row = table.Eof() ? -1
                                : FirstMatchingRow(table, table.CurrentRow(),
                                                   SearchedColumns(table, settings.Field), matcher);
    if (row >= 0) {
        table.MoveTo(row);
    } else {
        table.Last();
    }
}

}  // namespace

void FillFieldList(SearchSettings& settings, const RecordTable& table) {
    if (!settings.FieldList.empty()) {
        return;
    }
    for (int column = 0; column < table.FieldCount(); ++column) {
        settings.FieldList.push_back(table.ColumnName(column));
    }
}

std::vector<std::string> AlphabeticalFieldNames(const std::vector<std::string>& fieldList) {
    std::vector<std::string> names = fieldList;
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return UpperCase(a) < UpperCase(b);
    });
    return names;
}

void FindRecord(RecordTable& table, const SearchSettings& settings) {
    const CellTextMatcher matcher(settings.Value, settings.Mode, settings.CaseSensitive);
    if (IsDirectLookup(settings)) {
        LookUp(table, settings, matcher);
    } else {
        Scan(table, settings, matcher);
    }
}

}  // namespace kelvane
