#include "exchange/PatchText.h"

#include <algorithm>
#include <array>
#include <optional>
#include <unordered_set>
#include <utility>

#include "core/KelvaneError.h"
#include "core/RecordTable.h"
#include "exchange/CellTexts.h"
#include "exchange/PatchLineBuilder.h"
#include "exchange/RecordSweep.h"

namespace kelvane {
namespace {

constexpr int kKeyColumn = 1;
constexpr int kFirstPairColumn = kKeyColumn + 1;
// Records between two reports of progress: often enough for a bar, rare enough to cost nothing.
constexpr int kProgressRecords = 4096;

// Patch lines address records by the key column; a table of Index alone has none.
void RequireKeyColumn(const RecordTable& table) {
    table.RequireActive();
    if (table.FieldCount() <= kKeyColumn) {
        throw KelvaneError(
            "Patch lines need a key column, the first column after Index, and this table has "
            "none");
    }
}

void TakeLine(PatchLineBuilder& builder, PatchExport& result) {
    result.Lines.push_back(builder.Line());
    if (const std::optional<PatchProblem> problem = builder.ReadBackProblem()) {
        result.ReadBack.Count(*problem, builder.Key());
    }
}

// Builds the row lines of records; serves one record as well as a sweep over all.
class RowLineBuilder {
  public:
    RowLineBuilder(CellTexts& cells, PatchExport& result) : cells_(cells), result_(result) {}

    void BeginRecord(int slot, int row) { builders_[static_cast<size_t>(slot)].Begin(cells_, row); }
    void Cell(int slot, int row, int column) {
        builders_[static_cast<size_t>(slot)].AddPair(cells_, row, column);
    }
    void EndRecord(int slot, int) {
        PatchLineBuilder& builder = builders_[static_cast<size_t>(slot)];
        TakeLine(builder, result_);
        // The reader finds the first record with a key, so later ones cannot be reached.
        if (!keys_.emplace(builder.Key()).second) {
            result_.ReadBack.Count(PatchProblem::RepeatedKey, builder.Key());
        }
    }

  private:
    CellTexts& cells_;
    PatchExport& result_;
    std::array<PatchLineBuilder, kSweepRecords> builders_;  // reused from batch to batch
    std::unordered_set<std::string> keys_;
};

}  // namespace

std::string PatchRowLine(const RecordTable& table, int row) {
    return std::move(ExportPatchRow(table, row).Lines.front());
}

std::string PatchCellLine(const RecordTable& table, int row, int selectedColumn) {
    return std::move(ExportPatchCell(table, row, selectedColumn).Lines.front());
}

PatchExport ExportPatchRow(const RecordTable& table, int row) {
    RequireKeyColumn(table);
    CellTexts cells(table);
    PatchExport result;
    RowLineBuilder builder(cells, result);
    builder.BeginRecord(0, row);
    for (int column = kFirstPairColumn; column < table.FieldCount(); ++column) {
        builder.Cell(0, row, column);
    }
    builder.EndRecord(0, row);
    return result;
}

PatchExport ExportPatchCell(const RecordTable& table, int row, int selectedColumn) {
    RequireKeyColumn(table);
    if (selectedColumn < 0 || selectedColumn >= table.FieldCount()) {
        throw KelvaneError("The selected column " + std::to_string(selectedColumn) +
                           " is not a column of the table");
    }
    CellTexts cells(table);
    PatchLineBuilder builder;
    builder.Begin(cells, row);
    builder.AddPair(cells, row, selectedColumn);
    PatchExport result;
    TakeLine(builder, result);
    return result;
}

PatchExport ExportPatchAll(RecordTable& table, const ExportProgress& progress) {
    RequireKeyColumn(table);
    // A record being edited goes out as it will be stored; the cursor stays where it is.
    table.FinishEditing();
    const int total = table.RecordCount();
    PatchExport result;
    result.Lines.reserve(static_cast<size_t>(total));
    CellTexts cells(table);
    RowLineBuilder builder(cells, result);
    for (int first = 0; first < total; first += kProgressRecords) {
        if (progress) {
            progress(first, total);
        }
        SweepRecords(first, std::min(total, first + kProgressRecords), kFirstPairColumn,
                     table.FieldCount(), builder);
    }
    return result;
}

}  // namespace kelvane
