#include "exchange/PatchText.h"

#include <algorithm>
#include <array>
#include <optional>
#include <unordered_set>
#include <utility>

#include "core/base/KelvaneError.h"
#include "core/files/TextLineWriter.h"
#include "core/table/RecordTable.h"
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

void TakeLine(PatchLineBuilder& builder, PatchReadBackReport& report, const LineTaker& take) {
    take(builder.Line());
    if (const std::optional<PatchProblem> problem = builder.ReadBackProblem()) {
        report.Count(*problem, builder.Key());
    }
}

// Builds the row lines of records; serves one record as well as a sweep over all.
class RowLineBuilder {
  public:
    RowLineBuilder(CellTexts& cells, PatchReadBackReport& report, LineTaker take)
        : cells_(cells), report_(report), take_(std::move(take)) {}

    void BeginRecord(int slot, int row) { builders_[static_cast<size_t>(slot)].Begin(cells_, row); }
    void Cell(int slot, int row, int column) {
        builders_[static_cast<size_t>(slot)].AddPair(cells_, row, column);
    }
    void EndRecord(int slot, int) {
        PatchLineBuilder& builder = builders_[static_cast<size_t>(slot)];
        TakeLine(builder, report_, take_);
        // The reader finds the first record with a key, so later ones cannot be reached.
        if (!keys_.emplace(builder.Key()).second) {
            report_.Count(PatchProblem::RepeatedKey, builder.Key());
        }
    }

  private:
    CellTexts& cells_;
    PatchReadBackReport& report_;
    LineTaker take_;
    std::array<PatchLineBuilder, kSweepRecords> builders_;  // reused from batch to batch
    std::unordered_set<std::string> keys_;
};

// Before a whole-table export reads the storage: a record being edited goes out as it will be
// stored, and the cursor stays where it is.
void FinishForWholeTable(RecordTable& table) {
    RequireKeyColumn(table);
    table.FinishEditing();
}

// The row lines of every record in table order, each given to the builder's taker.
void SweepRowLines(const RecordTable& table, const ExportProgress& progress,
                   RowLineBuilder& builder) {
    const int total = table.RecordCount();
    for (int first = 0; first < total; first += kProgressRecords) {
        if (progress) {
            progress(first, total);
        }
        SweepRecords(first, std::min(total, first + kProgressRecords), kFirstPairColumn,
                     table.FieldCount(), builder);
    }
}

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
    RowLineBuilder builder(cells, result.ReadBack, IntoList(result.Lines));
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
    TakeLine(builder, result.ReadBack, IntoList(result.Lines));
    return result;
}

PatchExport ExportPatchAll(RecordTable& table, const ExportProgress& progress) {
    FinishForWholeTable(table);
    PatchExport result;
    result.Lines.reserve(static_cast<size_t>(table.RecordCount()));
    CellTexts cells(table);
    RowLineBuilder builder(cells, result.ReadBack, IntoList(result.Lines));
    SweepRowLines(table, progress, builder);
    return result;
}

PatchReadBackReport WritePatchAll(RecordTable& table, TextLineWriter& file,
                                  const ExportProgress& progress) {
    FinishForWholeTable(table);
    PatchReadBackReport report;
    CellTexts cells(table);
    RowLineBuilder builder(cells, report, [&file](const std::string& line) { file.Add(line); });
    SweepRowLines(table, progress, builder);
    return report;
}

}  // namespace kelvane
