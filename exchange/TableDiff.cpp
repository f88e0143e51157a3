#include "exchange/TableDiff.h"

#include <algorithm>
#include <unordered_map>

#include "core/base/EchoText.h"
#include "core/base/KelvaneError.h"
#include "core/table/RecordTable.h"
#include "exchange/CellTexts.h"
#include "exchange/SavedCellReader.h"

namespace kelvane {
namespace {

constexpr int kKeyColumn = 1;
// Differences listed in a refusal before the rest is only counted.
constexpr int kDifferencesShown = 8;

std::string ColumnText(const RecordTable& table, int column) {
    return "\"" + EchoText(table.ColumnName(column)) + "\" (" +
           std::string(FieldKindText(table.ColumnKind(column))) + ")";
}

void RequireSameColumns(const RecordTable& oldTable, const std::string& oldName,
                        const RecordTable& newTable, const std::string& newName) {
    std::vector<std::string> differences;
    if (oldTable.FieldCount() != newTable.FieldCount()) {
        differences.push_back(oldName + " has " + std::to_string(oldTable.FieldCount() - 1) +
                              " field columns, " + newName + " " +
                              std::to_string(newTable.FieldCount() - 1));
    }
    const int shared = std::min(oldTable.FieldCount(), newTable.FieldCount());
    int unlisted = 0;
    for (int column = kKeyColumn; column < shared; ++column) {
        if (oldTable.ColumnName(column) == newTable.ColumnName(column) &&
            oldTable.ColumnKind(column) == newTable.ColumnKind(column)) {
            continue;
        }
        if (static_cast<int>(differences.size()) >= kDifferencesShown) {
            ++unlisted;
            continue;
        }
        differences.push_back("column " + std::to_string(column) + " is " +
                              ColumnText(oldTable, column) + " in " + oldName + " but " +
                              ColumnText(newTable, column) + " in " + newName);
    }
    if (differences.empty()) {
        return;
    }
    std::string message = "Cannot compare " + oldName + " with " + newName +
                          ": their columns differ (give both the same field definitions):";
    for (const std::string& difference : differences) {
        message += "\n- " + difference;
    }
    if (unlisted > 0) {
        message += "\n- and " + std::to_string(unlisted) + " more columns";
    }
    throw KelvaneError(message);
}

// The key text of every record, each key on one record only.
class KeyRows {
  public:
    KeyRows(const RecordTable& table, const std::string& name) {
        CellTexts cells(table);
        rows_.reserve(static_cast<size_t>(table.RecordCount()));
        std::string key;
        for (int row = 0; row < table.RecordCount(); ++row) {
            key.clear();
            cells.Append(key, row, kKeyColumn);
            const auto [at, added] = rows_.emplace(key, row);
            if (!added) {
                throw KelvaneError("Cannot compare: the key '" + EchoText(key) +
                                   "' stands on records " + std::to_string(at->second + 1) +
                                   " and " + std::to_string(row + 1) + " of " + name +
                                   ", and records are matched by their key");
            }
        }
    }
    const std::unordered_map<std::string, int>& Rows() const { return rows_; }

  private:
    std::unordered_map<std::string, int> rows_;
};

void RequireKeyColumn(const RecordTable& table, const std::string& name) {
    table.RequireActive();
    if (table.FieldCount() <= kKeyColumn) {
        throw KelvaneError("Cannot compare: " + name +
                           " has no key column, the first column after Index");
    }
}

}  // namespace

TableDiff CompareTables(const RecordTable& oldTable, const std::string& oldName,
                        const RecordTable& newTable, const std::string& newName) {
    RequireKeyColumn(oldTable, oldName);
    RequireKeyColumn(newTable, newName);
    RequireSameColumns(oldTable, oldName, newTable, newName);
    const SavedCellReader oldCells(oldTable);
    const SavedCellReader newCells(newTable);
    const KeyRows oldKeys(oldTable, oldName);
    // Built whole before anything is compared, so a repeated key refuses however late it is.
    const KeyRows newKeys(newTable, newName);

    TableDiff diff;
    std::vector<bool> matched(static_cast<size_t>(oldTable.RecordCount()), false);
    std::vector<ChangedRecord> pairs;
    CellTexts newTexts(newTable);
    std::string key;
    for (int newRow = 0; newRow < newTable.RecordCount(); ++newRow) {
        key.clear();
        newTexts.Append(key, newRow, kKeyColumn);
        const auto found = oldKeys.Rows().find(key);
        if (found == oldKeys.Rows().end()) {
            diff.AddedRows.push_back(newRow);
            continue;
        }
        matched[static_cast<size_t>(found->second)] = true;
        pairs.push_back(ChangedRecord{found->second, newRow, {}});
    }
    // Column by column: a column's cells lie side by side in the table's storage, so each
    // pass reads them in one sweep rather than a cache line of every column per record.
    for (int column = kKeyColumn; column < newTable.FieldCount(); ++column) {
        for (ChangedRecord& pair : pairs) {
            if (!oldCells.SameAs(pair.OldRow, newCells, pair.NewRow, column)) {
                pair.Columns.push_back(column);
            }
        }
    }
    for (ChangedRecord& pair : pairs) {
        if (pair.Columns.empty()) {
            ++diff.Unchanged;
        } else {
            diff.Changed.push_back(std::move(pair));
        }
    }
    for (int oldRow = 0; oldRow < oldTable.RecordCount(); ++oldRow) {
        if (!matched[static_cast<size_t>(oldRow)]) {
            diff.RemovedRows.push_back(oldRow);
        }
    }
    return diff;
}

std::string DiffCountsText(const TableDiff& diff) {
    return std::to_string(diff.AddedRows.size()) + " added, " +
           std::to_string(diff.Changed.size()) + " changed, " +
           std::to_string(diff.RemovedRows.size()) + " removed, " + std::to_string(diff.Unchanged) +
           " unchanged records";
}

}  // namespace kelvane
