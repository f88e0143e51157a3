#include "exchange/TextExport.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "core/base/Utf8.h"
#include "core/files/TextLineWriter.h"
#include "core/table/ColumnStore.h"
#include "core/table/RecordTable.h"
#include "exchange/CellTexts.h"
#include "exchange/RecordSweep.h"

namespace kelvane {
namespace {

constexpr int kFirstFieldColumn = 1;  // Index is never written

bool NeedsQuotes(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        return static_cast<unsigned char>(c) <= ' ' || c == '"' || c == ',';
    });
}

void AppendQuoted(std::string& line, std::string_view text) {
    line += '"';
    for (const char c : text) {
        if (c == '"') {
            line += '"';
        }
        line += c;
    }
    line += '"';
}

void AppendCommaItem(std::string& line, std::string_view text) {
    if (NeedsQuotes(text)) {
        AppendQuoted(line, text);
    } else {
        line += text;
    }
}

// The cell's text goes straight into the line; the rare text that needs quotes is taken out
// again and put back quoted.
void AppendCommaCell(std::string& line, CellTexts& cells, int row, int column) {
    const size_t start = line.size();
    cells.Append(line, row, column);
    if (cells.HoldsIntegers(column)) {
        return;
    }
    const std::string_view text = std::string_view(line).substr(start);
    if (NeedsQuotes(text)) {
        const std::string plain(text);
        line.resize(start);
        AppendQuoted(line, plain);
    }
}

// A lone empty item is written "" so that the line does not read as a line of no items.
void QuoteLoneEmptyItem(std::string& line, size_t itemCount) {
    if (itemCount == 1 && line.empty()) {
        line = "\"\"";
    }
}

// Builds the export lines of records; serves one record as well as a sweep over all.
class ExportLineBuilder {
  public:
    ExportLineBuilder(CellTexts& cells, int columns, LineTaker take)
        : cells_(cells), columns_(columns), take_(std::move(take)) {}

    void BeginRecord(int slot, int) { lines_[static_cast<size_t>(slot)].clear(); }
    void Cell(int slot, int row, int column) {
        std::string& line = lines_[static_cast<size_t>(slot)];
        if (column > kFirstFieldColumn) {
            line += ',';
        }
        AppendCommaCell(line, cells_, row, column);
    }
    void EndRecord(int slot, int) {
        std::string& line = lines_[static_cast<size_t>(slot)];
        QuoteLoneEmptyItem(line, static_cast<size_t>(std::max(0, columns_ - kFirstFieldColumn)));
        take_(line);
    }

  private:
    CellTexts& cells_;
    int columns_;
    LineTaker take_;
    std::array<std::string, kSweepRecords> lines_;  // reused from batch to batch
};

// The export line of every record in table order, each given to take.
void SweepExportLines(RecordTable& table, LineTaker take) {
    table.RequireActive();
    // A record being edited goes out as it will be stored; the cursor stays where it is.
    table.FinishEditing();
    CellTexts cells(table);
    ExportLineBuilder builder(cells, table.FieldCount(), std::move(take));
    SweepRecords(0, table.RecordCount(), kFirstFieldColumn, table.FieldCount(), builder);
}

bool AnyNonUtf8(const std::vector<std::string>& lines) {
    return std::any_of(lines.begin(), lines.end(),
                       [](const std::string& line) { return !IsUtf8(line); });
}

// Whether a whole-table export writes a text that is not UTF-8. One pass over the string pool
// nearly always settles it; only a pool with such a text, which may be one no cell uses any
// more, has the cells looked at, straight in column storage (the table is browsing).
bool RecordsHoldNonUtf8(const RecordTable& table) {
    const StringPool& strings = table.Strings();
    if (strings.HoldsOnlyUtf8()) {
        return false;
    }
    for (int column = kFirstFieldColumn; column < table.FieldCount(); ++column) {
        const ColumnStore& store = table.ColumnStoreAt(column);
        if (store.Kind != FieldKind::ftString) {
            continue;
        }
        // Neighbouring records often share a text; each is looked at once in a row.
        std::optional<StringPool::Ref> lastChecked;
        for (const uint32_t slot : table.RecordSlots()) {
            const StringPool::Ref ref = store.Strings[slot];
            if (ref == lastChecked || store.IsBlank(slot)) {
                continue;
            }
            if (!IsUtf8(strings.View(ref))) {
                return true;
            }
            lastChecked = ref;
        }
    }
    return false;
}

}  // namespace

std::string CellText(const RecordTable& table, int row, int column) {
    std::string text;
    AppendCellText(text, table, row, column);
    return text;
}

std::string CommaLine(std::span<const std::string> texts) {
    std::string line;
    for (size_t i = 0; i < texts.size(); ++i) {
        if (i > 0) {
            line += ',';
        }
        AppendCommaItem(line, texts[i]);
    }
    QuoteLoneEmptyItem(line, texts.size());
    return line;
}

std::string HeaderLine(const RecordTable& table) {
    std::vector<std::string> names;
    for (int column = kFirstFieldColumn; column < table.FieldCount(); ++column) {
        names.push_back(table.ColumnName(column));
    }
    return CommaLine(names);
}

std::string ExportLine(const RecordTable& table, int row) {
    CellTexts cells(table);
    std::string result;
    ExportLineBuilder builder(cells, table.FieldCount(),
                              [&result](const std::string& line) { result = line; });
    builder.BeginRecord(0, row);
    for (int column = kFirstFieldColumn; column < table.FieldCount(); ++column) {
        builder.Cell(0, row, column);
    }
    builder.EndRecord(0, row);
    return result;
}

std::vector<std::string> ExportAllLines(RecordTable& table) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(table.RecordCount()));
    // A copy, so each kept line is one allocation of its own size.
    SweepExportLines(table, IntoList(lines));
    return lines;
}

void MarkNonUtf8Lines(std::vector<std::string>& lines) {
    if (AnyNonUtf8(lines)) {
        lines.front().insert(0, kUtf8ByteOrderMark);
    }
}

void WriteCsvExport(RecordTable& table, TextLineWriter& file, bool header, std::optional<int> row) {
    table.RequireActive();
    std::vector<std::string> lines;
    if (header) {
        lines.push_back(HeaderLine(table));
    }
    if (row) {
        lines.push_back(ExportLine(table, *row));
    } else {
        // The sweep finishes it too, but the check must see the record being edited as stored.
        table.FinishEditing();
    }
    bool markFirst = AnyNonUtf8(lines) || (!row && RecordsHoldNonUtf8(table));
    const auto add = [&file, &markFirst](const std::string& line) {
        if (markFirst) {
            file.Add(std::string(kUtf8ByteOrderMark) + line);
            markFirst = false;
        } else {
            file.Add(line);
        }
    };
    for (const std::string& line : lines) {
        add(line);
    }
    if (!row) {
        SweepExportLines(table, add);
    }
}

}  // namespace kelvane
