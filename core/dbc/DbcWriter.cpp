#include "core/dbc/DbcWriter.h"

#include "core/base/KelvaneError.h"
#include "core/dbc/DbcFormat.h"
#include "core/dbc/DbcRecordEncoder.h"
#include "core/dbc/StringBlockBuilder.h"
#include "core/files/AtomicFileWriter.h"
#include "core/table/RecordTable.h"

namespace kelvane {
namespace {

// "Cannot save "path": reason. The file was left as it was."
std::string SaveFailure(const std::string& path, std::string reason) {
    if (!reason.empty() && reason.back() != '.') {
        reason += '.';
    }
    return "Cannot save \"" + path + "\": " + reason + " The file was left as it was.";
}

// Sends a provisional header, the records and the string block to the sink, and returns
// the final header, known only once the block is complete.
std::string EncodeDbcFile(const RecordTable& table, const CellLayout& cells, const ByteSink& sink) {
    const int fieldCount = table.FieldCount() - 1;
    if (fieldCount > MaxFieldCount) {
        throw KelvaneError("the table has " + std::to_string(fieldCount) +
                           " fields, more than the " + std::to_string(MaxFieldCount) +
                           " a DBC file can hold");
    }
    const RecordLayout layout = DbcRecordLayout(table, cells);
    const int recordCount = table.RecordCount();
    if (recordCount > 0 && layout.RecordSize == 0) {
        throw KelvaneError("the table has records but no fields besides Index");
    }

    sink(std::string(DbcHeaderSize, '\0'));
    StringBlockBuilder strings;
    EncodeDbcRecords(table, layout, sink, strings);
    sink(strings.Block());

    std::string header;
    AppendDbcHeader(header,
                    DbcHeader{recordCount, fieldCount, static_cast<int32_t>(layout.RecordSize),
                              static_cast<int32_t>(strings.Block().size())});
    return header;
}

}  // namespace

std::string EncodeDbc(const RecordTable& table, const CellLayout& layout) {
    std::string bytes;
    const std::string header =
        EncodeDbcFile(table, layout, [&bytes](std::string_view piece) { bytes.append(piece); });
    bytes.replace(0, DbcHeaderSize, header);
    return bytes;
}

FileSnapshot WriteDbcFile(const RecordTable& table, const CellLayout& layout,
                          const std::string& path, const std::optional<FileSnapshot>& loaded) {
    // Records stream into the temporary file batch by batch; a failure part-way leaves the
    // target as it was, and the temporary file goes with the writer. Compared with the file
    // loaded, so a save never silently undoes another program's save.
    AtomicFileWriter file(path, loaded);
    try {
        const std::string header =
            EncodeDbcFile(table, layout, [&file](std::string_view piece) { file.Append(piece); });
        file.WriteAt(0, header);
    } catch (const KelvaneError& error) {
        throw KelvaneError(SaveFailure(path, error.what()));
    }
    return file.Commit();
}

}  // namespace kelvane
