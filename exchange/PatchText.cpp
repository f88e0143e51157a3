#include "exchange/PatchText.h"

#include "core/ControlsSuspension.h"
#include "core/KelvaneError.h"
#include "core/RecordTable.h"
#include "exchange/PatchLineBuilder.h"

namespace kelvane {
namespace {

constexpr int kKeyColumn = 1;

// Patch lines address records by the key column; a table of Index alone has none.
void RequireKeyColumn(const RecordTable& table) {
    table.RequireActive();
    if (table.FieldCount() <= kKeyColumn) {
        throw KelvaneError(
            "Patch lines need a key column, the first column after Index, and this table has "
            "none");
    }
}

void BuildRowLine(PatchLineBuilder& builder, const RecordTable& table, int row) {
    RequireKeyColumn(table);
    builder.Begin(table, row);
    for (int column = kKeyColumn + 1; column < table.FieldCount(); ++column) {
        builder.AddPair(table, row, column);
    }
}

void BuildCellLine(PatchLineBuilder& builder, const RecordTable& table, int row,
                   int selectedColumn) {
    RequireKeyColumn(table);
    if (selectedColumn < 0 || selectedColumn >= table.FieldCount()) {
        throw KelvaneError("The selected column " + std::to_string(selectedColumn) +
                           " is not a column of the table");
    }
    builder.Begin(table, row);
    builder.AddPair(table, row, selectedColumn);
}

void TakeLine(PatchLineBuilder& builder, PatchExport& result) {
    result.Lines.push_back(builder.Line());
    if (!builder.ReadsBack()) {
        result.ReadBack.Count(builder.Key());
    }
}

std::string QuotedKeys(const std::vector<std::string>& keys) {
    std::string text;
    for (const std::string& key : keys) {
        text += text.empty() ? "'" : ", '";
        text += key;
        text += "'";
    }
    return text;
}

}  // namespace

std::string PatchRowLine(const RecordTable& table, int row) {
    PatchLineBuilder builder;
    BuildRowLine(builder, table, row);
    return builder.Line();
}

std::string PatchCellLine(const RecordTable& table, int row, int selectedColumn) {
    PatchLineBuilder builder;
    BuildCellLine(builder, table, row, selectedColumn);
    return builder.Line();
}

void PatchReadBackReport::Count(std::string_view key) {
    ++UnreadableLines;
    if (FirstKeys.size() < KeysShown) {
        FirstKeys.emplace_back(key);
    }
}

std::string PatchReadBackReport::Warning() const {
    if (UnreadableLines == 0) {
        return {};
    }
    const bool one = UnreadableLines == 1;
    const bool more = static_cast<size_t>(UnreadableLines) > FirstKeys.size();
    return "The patch import would skip or misread " + std::to_string(UnreadableLines) +
           (one ? " exported line (key " : " exported lines (keys ") + QuotedKeys(FirstKeys) +
           (more ? " and more" : "") +
           "): the patch format cannot carry some texts, among them values holding \";\", \"//\" "
           "or a double quote before a comma, and keys holding \":\".";
}

PatchExport ExportPatchRow(const RecordTable& table, int row) {
    PatchLineBuilder builder;
    BuildRowLine(builder, table, row);
    PatchExport result;
    TakeLine(builder, result);
    return result;
}

PatchExport ExportPatchCell(const RecordTable& table, int row, int selectedColumn) {
    PatchLineBuilder builder;
    BuildCellLine(builder, table, row, selectedColumn);
    PatchExport result;
    TakeLine(builder, result);
    return result;
}

PatchExport ExportPatchAll(RecordTable& table, const ExportProgress& progress) {
    RequireKeyColumn(table);
    const ControlsSuspension suspension(table);
    // Starting the walk finishes a record being edited, as any move of the cursor does.
    table.First();
    const int total = table.RecordCount();
    PatchExport result;
    result.Lines.reserve(static_cast<size_t>(total));
    PatchLineBuilder builder;
    for (int row = 0; row < total; ++row) {
        if (progress) {
            progress(row, total);
        }
        BuildRowLine(builder, table, row);
        TakeLine(builder, result);
    }
    table.Last();
    return result;
}

}  // namespace kelvane
