#include "bench/SpellLikePatch.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "core/table/Field.h"
#include "core/workspace/WorkspaceFiles.h"
#include "exchange/PatchText.h"

namespace kelvane::bench {
namespace {

constexpr int kKeyColumn = 1;
constexpr int kChangedColumn = 3;  // an integer column every changed record gets a new value in

// A key above every key of the table.
int32_t FreeKey(const RecordTable& table) {
    int32_t newKey = 0;
    for (int row = 0; row < table.RecordCount(); ++row) {
        newKey = std::max(newKey, table.IntegerAt(row, kKeyColumn) + 1);
    }
    return newKey;
}

// The row line of a record with its line end, unless the patch reader could not take it back.
std::optional<std::string> ReadableRowLine(const RecordTable& table, int row) {
    PatchExport line = ExportPatchRow(table, row);
    if (line.ReadBack.ProblemCount() > 0) {
        return std::nullopt;
    }
    return std::move(line.Lines.front()) + "\r\n";
}

std::string UnderKey(const std::string& line, int32_t key) {
    return std::to_string(key) + line.substr(line.find(':'));
}

}  // namespace

std::unique_ptr<Workspace> LoadedWorkspace(const SpellLikeFile& file) {
    auto workspace = std::make_unique<Workspace>();
    workspace->Current = file.Current;
    LoadDbcFile(*workspace, file.Current.FilePath, true, 0);
    return workspace;
}

std::string PatchOfChangesAndAdditions(const SpellLikeFile& file) {
    const std::unique_ptr<Workspace> workspace = LoadedWorkspace(file);
    RecordTable& table = workspace->Table;
    int32_t newKey = FreeKey(table);
    std::string text;
    for (int row = 0; row < table.RecordCount(); ++row) {
        const bool changed = row % 2 == 0;
        if (changed) {
            table.MoveTo(row);
            table.Edit();
            table.Fields(kChangedColumn).SetAsInteger(table.IntegerAt(row, kChangedColumn) + 1);
            table.Post();
        }
        if (const std::optional<std::string> line = ReadableRowLine(table, row)) {
            text += changed ? *line : UnderKey(*line, newKey++);
        }
    }
    return text;
}

std::string PatchOfAdditions(const SpellLikeFile& file, int records) {
    const std::unique_ptr<Workspace> workspace = LoadedWorkspace(file);
    const RecordTable& table = workspace->Table;
    int32_t newKey = FreeKey(table);
    std::string text;
    for (int row = 0; row < table.RecordCount() && records > 0; ++row) {
        if (const std::optional<std::string> line = ReadableRowLine(table, row)) {
            text += UnderKey(*line, newKey++);
            --records;
        }
    }
    return text;
}

std::string PatchOfThreeCells(const SpellLikeFile& file) {
    const std::unique_ptr<Workspace> workspace = LoadedWorkspace(file);
    const RecordTable& table = workspace->Table;
    std::vector<int> columns;
    for (int column = kKeyColumn + 1; column < table.FieldCount() && columns.size() < 3; ++column) {
        if (table.ColumnKind(column) == FieldKind::ftInteger) {
            columns.push_back(column);
        }
    }
    std::string text;
    for (int row = 0; row < table.RecordCount(); ++row) {
        text += std::to_string(table.IntegerAt(row, kKeyColumn)) + ":";
        for (const int column : columns) {
            text += std::to_string(column - kKeyColumn) + "=" +
                    std::to_string(table.IntegerAt(row, column) + 1) +
                    (column == columns.back() ? "\r\n" : ",");
        }
    }
    return text;
}
}  // namespace kelvane::bench
