#include "exchange/CsvImport.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "core/base/EchoText.h"
#include "core/base/KelvaneError.h"
#include "core/base/TextUtil.h"
#include "core/base/ValueText.h"
#include "core/files/FileByteSource.h"
#include "core/files/FileMemoryGuard.h"
#include "core/table/ColumnPresentation.h"
#include "core/table/RecordTable.h"
#include "exchange/CsvReader.h"

namespace kelvane {
namespace {

constexpr int kKeyColumn = 1;
constexpr std::string_view kStepName = "Import CSV";
// Names a header error lists; the rest are counted. A header can name thousands.
constexpr size_t kNamesListed = 5;

bool NamesColumn(const RecordTable& table, int column, std::string_view name) {
    return EqualsIgnoreCase(table.ColumnName(column), name) ||
           EqualsIgnoreCase(table.Presentation(column).Caption, name);
}

// The column a header name stands for, by its name or its caption, unless it is taken already:
// nameTaken then tells a name given twice from an unknown one.
std::optional<int> NamedColumn(const RecordTable& table, std::string_view name,
                               const std::vector<int>& taken, bool& nameTaken) {
    for (int column = kKeyColumn; column < table.FieldCount(); ++column) {
        if (NamesColumn(table, column, name)) {
            if (std::find(taken.begin(), taken.end(), column) == taken.end()) {
                return column;
            }
            nameTaken = true;
        }
    }
    return std::nullopt;
}

std::vector<int> HeaderColumns(const RecordTable& table, const CsvReader& reader) {
    std::vector<int> columns;
    std::vector<std::string> unknown;
    std::vector<std::string> repeated;
    for (const std::string_view item : reader.Items()) {
        const std::string_view name = TrimBlanks(item);
        bool nameTaken = false;
        if (const std::optional<int> column = NamedColumn(table, name, columns, nameTaken)) {
            columns.push_back(*column);
        } else {
            (nameTaken ? repeated : unknown).emplace_back(name);
        }
    }
    if (!unknown.empty()) {
        throw KelvaneError(reader.LineMessage("the table has no column named " +
                                              QuotedList(unknown, kNamesListed) +
                                              " (the header line must name columns after Index)"));
    }
    if (!repeated.empty()) {
        throw KelvaneError(reader.LineMessage("the header line names " +
                                              QuotedList(repeated, kNamesListed) + " twice"));
    }
    if (std::find(columns.begin(), columns.end(), kKeyColumn) == columns.end()) {
        throw KelvaneError(reader.LineMessage("the header line lacks the key column " +
                                              EchoText(table.ColumnName(kKeyColumn)) +
                                              ", by which records are matched"));
    }
    return columns;
}

// Every item names a column, and the first is no key: the key column holds numbers (tables
// whose columns are named by number have keys that are names too).
bool LooksLikeHeader(const RecordTable& table, const std::vector<std::string_view>& items) {
    const auto names = [&table](std::string_view item) {
        bool nameTaken = false;
        return NamedColumn(table, TrimBlanks(item), {}, nameTaken).has_value();
    };
    return table.ColumnKind(kKeyColumn) != FieldKind::ftString && !items.empty() &&
           !ParseFloatText(items.front()) && std::all_of(items.begin(), items.end(), names);
}

std::vector<int> LeadingColumns(const RecordTable& table, const CsvReader& reader) {
    // Read as values, a header line would fail on its key with a message that hides the cause.
    if (LooksLikeHeader(table, reader.Items())) {
        throw KelvaneError(reader.LineMessage(
            "the line names columns of the table: import the file with its first line taken as "
            "the header"));
    }
    const int count = static_cast<int>(reader.Items().size());
    if (count > table.FieldCount() - 1) {
        throw KelvaneError(reader.LineMessage(std::to_string(count) + " items, but the table has " +
                                              std::to_string(table.FieldCount() - 1) +
                                              " columns after Index"));
    }
    std::vector<int> columns;
    for (int column = kKeyColumn; column <= count; ++column) {
        columns.push_back(column);
    }
    return columns;
}

void StageRecord(const RecordTable& table, ImportRows& rows, const CsvReader& reader,
                 int64_t firstLine) {
    const std::vector<std::string_view>& items = reader.Items();
    if (items.size() != static_cast<size_t>(rows.ColumnCount())) {
        throw KelvaneError(reader.LineMessage(std::to_string(items.size()) + " items where line " +
                                              std::to_string(firstLine) + " has " +
                                              std::to_string(rows.ColumnCount())));
    }
    rows.AddRow(reader.Line());
    for (int position = 0; position < rows.ColumnCount(); ++position) {
        try {
            rows.SetText(position, items[static_cast<size_t>(position)]);
        } catch (const KelvaneError& error) {
            throw KelvaneError(reader.Where() + ", column " +
                               EchoText(table.ColumnName(rows.TableColumn(position))) + ": " +
                               error.what());
        }
    }
}

// Where the first text read as Windows-1252 stood: every record has an item for each column.
std::string FirstConvertedPlace(const RecordTable& table, const ImportRows& rows,
                                const CsvConversions& conversions) {
    const auto position = static_cast<int>(conversions.FirstItem);
    return "line " + std::to_string(conversions.FirstLine) + ", column " +
           EchoText(table.ColumnName(rows.TableColumn(position)));
}

CsvImportReport StageAndMerge(RecordTable& table, ByteSource& source, const std::string& fileName,
                              bool header, ImportMatch match, const WorkProgress& progress) {
    table.RequireActive();
    CsvReader reader(source, fileName);
    CsvImportReport report;
    if (!reader.Next()) {
        return report;
    }
    const int64_t firstLine = reader.Line();
    ImportRows rows(table, header ? HeaderColumns(table, reader) : LeadingColumns(table, reader),
                    ImportSource{fileName, " ", "line"});
    if (!header) {
        StageRecord(table, rows, reader, firstLine);
    }
    while (reader.Next()) {
        ReportProgress(progress, static_cast<int64_t>(reader.BytesRead()),
                       static_cast<int64_t>(source.Size()));
        StageRecord(table, rows, reader, firstLine);
    }
    report.RowsRead = rows.RowCount();
    report.ConvertedTexts = reader.Conversions().Items;
    if (report.ConvertedTexts > 0) {
        report.FirstConverted = FirstConvertedPlace(table, rows, reader.Conversions());
    }
    if (rows.RowCount() > 0) {
        report.Merge = MergeImportRows(table, rows, kStepName, match, progress);
    }
    return report;
}

}  // namespace

CsvImportReport ImportCsv(RecordTable& table, ByteSource& source, const std::string& fileName,
                          bool header, ImportMatch match, const WorkProgress& progress) {
    // The file's records are staged beside the whole table before it changes.
    return GuardMemory(FileWork::Importing, fileName, [&] {
        return StageAndMerge(table, source, fileName, header, match, progress);
    });
}

CsvImportReport ImportCsvFile(RecordTable& table, const std::string& path, bool header,
                              ImportMatch match, const WorkProgress& progress) {
    FileByteSource source(path);
    return ImportCsv(table, source, path, header, match, progress);
}

}  // namespace kelvane
