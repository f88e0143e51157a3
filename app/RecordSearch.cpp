#include "app/RecordSearch.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <numeric>
#include <vector>

#include "app/CellTextMatcher.h"
#include "app/ColumnMatchScan.h"
#include "app/RecordView.h"
#include "core/base/EchoText.h"
#include "core/table/RecordTable.h"

namespace kelvane {
namespace {

// Rows looked at between two reports of progress.
constexpr int kBlockRows = 1024;

// Tells progress how many rows of the search have been looked at.
using RowsLookedAt = std::function<void(int rows)>;

// The first cell of the rows [from, end) that matches in one of the columns, and of that row
// the first such column in the order given. The rows are taken in blocks, so a match near the
// start is found without a pass over whole columns; within a block the columns are taken one
// by one, each bounded by the first match found so far. A column that lowers the bound cannot
// meet an earlier column's match at the new row, since each earlier column found none before
// its own bound.
std::optional<SearchMatch> FirstMatchingCell(const RecordTable& table, int from, int end,
                                             const std::vector<int>& columns,
                                             const CellTextMatcher& matcher,
                                             const RowsLookedAt& lookedAt) {
    ColumnMatchScan scan(table, matcher);
    for (int blockStart = std::max(from, 0); blockStart < end; blockStart += kBlockRows) {
        lookedAt(blockStart - from);
        const int blockEnd = std::min(blockStart + kBlockRows, end);
        SearchMatch first{blockEnd, -1};
        for (const int column : columns) {
            const int row = scan.FirstMatch(column, blockStart, first.Row);
            if (row < first.Row) {
                first = {row, column};
            }
        }
        if (first.Column >= 0) {
            return first;
        }
    }
    return std::nullopt;
}

// The same over shown rows [from, end) of a sorted or filtered view, row by row.
std::optional<SearchMatch> FirstShownMatch(const RecordTable& table, const RecordView& view,
                                           int from, int end, const std::vector<int>& columns,
                                           const CellTextMatcher& matcher,
                                           const RowsLookedAt& lookedAt) {
    ColumnMatchScan scan(table, matcher);
    for (int shownRow = std::max(from, 0); shownRow < end; ++shownRow) {
        if ((shownRow - from) % kBlockRows == 0) {
            lookedAt(shownRow - from);
        }
        const int row = view.TableRowOf(shownRow);
        for (const int column : columns) {
            if (scan.FirstMatch(column, row, row + 1) == row) {
                return SearchMatch{row, column};
            }
        }
    }
    return std::nullopt;
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

// The scan reads the stored records only, so a record being edited is posted when changed
// and dropped otherwise, as any cursor move does.
void SettleEditing(RecordTable& table) {
    table.RequireActive();
    if (table.State() == TableState::Browse) {
        return;
    }
    if (table.Modified()) {
        table.Post();
    } else {
        table.Cancel();
    }
}

// Looks through the ranges of shown rows in turn and makes the first match current.
std::optional<SearchMatch> FindInRanges(RecordTable& table, const RecordView& view,
                                        const SearchSettings& settings,
                                        std::initializer_list<std::pair<int, int>> ranges,
                                        const WorkProgress& progress) {
    const CellTextMatcher matcher(settings.Value, settings.Mode, settings.CaseSensitive);
    const std::vector<int> columns = SearchedColumns(table, settings.Field);
    int64_t total = 0;
    for (const auto& [from, end] : ranges) {
        total += std::max(end - from, 0);
    }
    int64_t before = 0;
    for (const auto& [from, end] : ranges) {
        const RowsLookedAt lookedAt = [&](int rows) {
            ReportProgress(progress, before + rows, total);
        };
        const auto match =
            view.ShowsEveryRecordInFileOrder()
                ? FirstMatchingCell(table, from, end, columns, matcher, lookedAt)
                : FirstShownMatch(table, view, from, end, columns, matcher, lookedAt);
        if (match) {
            table.MoveTo(match->Row);
            return match;
        }
        before += std::max(end - from, 0);
    }
    return std::nullopt;
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

std::optional<SearchMatch> FindRecord(RecordTable& table, const RecordView& view,
                                      const SearchSettings& settings,
                                      const WorkProgress& progress) {
    SettleEditing(table);
    const int from =
        settings.Origin == SearchOrigin::FirstRecord ? 0 : view.ShownRowOf(table.CurrentRow()) + 1;
    return FindInRanges(table, view, settings, {{from, view.ShownCount()}}, progress);
}

std::optional<SearchMatch> FindNextRecord(RecordTable& table, const RecordView& view,
                                          const SearchSettings& settings,
                                          const WorkProgress& progress) {
    SettleEditing(table);
    const int after = view.ShownRowOf(table.CurrentRow()) + 1;
    return FindInRanges(table, view, settings, {{after, view.ShownCount()}, {0, after}}, progress);
}

std::string NoMatchMessage(const SearchSettings& settings) {
    const std::string where =
        settings.Field.empty() ? "" : " in '" + EchoText(settings.Field) + "'";
    return "No record matches '" + EchoText(settings.Value) + "'" + where + ".";
}

bool WrappedAround(const RecordView& view, int fromRow, const SearchMatch& match) {
    const int from = view.ShownRowOf(fromRow);
    return from >= 0 && view.ShownRowOf(match.Row) <= from;
}

std::string WrappedAroundText() {
    return "Find Next passed the last record and went on from the first.";
}

}  // namespace kelvane
