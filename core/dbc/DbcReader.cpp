#include "core/dbc/DbcReader.h"

#include <algorithm>

#include "core/base/TextUtil.h"
#include "core/dbc/DbcRecordDecoder.h"
#include "core/dbc/DefinedColumns.h"

namespace kelvane {
namespace {

// everyColumn: whether every field column was decoded; a read of some columns cannot know which
// texts the others point at, and such a table is never saved.
StringBlockFit FitOf(const DecodedRecords& decoded, const std::vector<ColumnDef>& columns,
                     bool everyColumn) {
    StringBlockFit fit;
    for (size_t field = 0; field < decoded.BadStringCells.size(); ++field) {
        const int misread = decoded.BadStringCells[field] + decoded.MidTextCells[field];
        if (misread > 0) {
            fit.MisreadColumns.push_back({columns[field + 1].Name, misread});
        }
    }
    fit.DroppedTexts = everyColumn ? decoded.UnusedTexts : 0;
    return fit;
}

LoadReport ReportOf(const DecodedRecords& decoded, const DbcTableData& data,
                    const DbcHeader& header, bool everyColumn) {
    LoadReport report;
    report.Header = header;
    report.HasByteFields = data.Layout.HasNarrowCells();
    report.RecordsLoaded = header.RecordCount;
    for (size_t field = 0; field < decoded.BadStringCells.size(); ++field) {
        if (decoded.BadStringCells[field] > 0) {
            report.BadStringCells += decoded.BadStringCells[field];
            report.BadStringColumns.push_back(data.Columns[field + 1].Name);
        }
    }
    report.TextFit = FitOf(decoded, data.Columns, everyColumn);
    return report;
}

// The field numbers, ascending, of the field columns named (every one when none is).
std::vector<int> FieldsToDecode(const std::vector<ColumnDef>& columns,
                                std::span<const std::string_view> names) {
    std::vector<int> fields;
    for (size_t column = 1; column < columns.size(); ++column) {
        const bool named = std::any_of(names.begin(), names.end(), [&](std::string_view name) {
            return EqualsIgnoreCase(columns[column].Name, name);
        });
        if (names.empty() || named) {
            fields.push_back(static_cast<int>(column) - 1);
        }
    }
    return fields;
}

}  // namespace

DbcLayout ReadDbcLayout(ByteSource& file, const std::string& path) {
    const uint64_t fileSize = file.Size();
    const size_t headerSize =
        fileSize < DbcHeaderSize ? static_cast<size_t>(fileSize) : DbcHeaderSize;
    return CheckDbcLayout(file.Read(0, headerSize), fileSize, path);
}

DbcHeader ReadDbcHeader(ByteSource& file, const std::string& path) {
    return ReadDbcLayout(file, path).Header;
}

DbcTableData ReadDbcTable(ByteSource& file, const std::string& path,
                          const DbcColumnRequest& request, const LoadProgress& progress) {
    const DbcLayout layout = ReadDbcLayout(file, path);
    const int fieldCount = layout.Header.FieldCount;
    // Definitions past the columns asked for are not the caller's, so their sizes do not count.
    const int cellsRead = std::min(request.Columns, fieldCount);
    DbcTableData data;
    data.Layout = RecordCellLayout(layout.Header, FieldBitsOf(request.Defs, cellsRead), path,
                                   request.DefinitionsPath);
    const std::vector<ColumnDef> all =
        ColumnsOfDefinitions(request.Defs, request.Columns, data.Layout);
    data.Columns = {all.front()};
    std::vector<FieldColumnSource> sources;
    for (const int field : FieldsToDecode(all, request.OnlyColumns)) {
        const ColumnDef& column = all[static_cast<size_t>(field) + 1];
        data.Columns.push_back(column);
        sources.push_back({column.Kind, field < cellsRead ? field : FieldColumnSource::NoCell});
    }
    DecodedRecords decoded = DecodeDbcRecords(file, layout, data.Layout, sources, progress);
    data.Report = ReportOf(decoded, data, layout.Header, request.OnlyColumns.empty());
    data.Rows = std::move(decoded.Rows);
    return data;
}

}  // namespace kelvane
