#include "exchange/TextExport.h"

#include <algorithm>
#include <string_view>

#include "core/ControlsSuspension.h"
#include "core/RecordTable.h"
#include "exchange/CellTextAppend.h"

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
void AppendCommaCell(std::string& line, const RecordTable& table, int row, int column) {
    const size_t start = line.size();
    AppendCellText(line, table, row, column);
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

void BuildExportLine(std::string& line, const RecordTable& table, int row) {
    line.clear();
    const int columns = table.FieldCount();
    for (int column = kFirstFieldColumn; column < columns; ++column) {
        if (column > kFirstFieldColumn) {
            line += ',';
        }
        AppendCommaCell(line, table, row, column);
    }
    QuoteLoneEmptyItem(line, static_cast<size_t>(std::max(0, columns - kFirstFieldColumn)));
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

std::string ExportLine(const RecordTable& table, int row) {
    std::string line;
    BuildExportLine(line, table, row);
    return line;
}

std::vector<std::string> ExportAllLines(RecordTable& table) {
    const ControlsSuspension suspension(table);
    // Starting the walk finishes a record being edited, as any move of the cursor does.
    table.First();
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(table.RecordCount()));
    std::string line;  // reused, so each stored line is one allocation of its own size
    for (int row = 0; row < table.RecordCount(); ++row) {
        BuildExportLine(line, table, row);
        lines.push_back(line);
    }
    table.Last();
    return lines;
}

}  // namespace kelvane
