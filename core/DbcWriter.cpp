#include "core/DbcWriter.h"

#include <algorithm>

#include "core/AtomicFileWriter.h"
#include "core/ControlsSuspension.h"
#include "core/DbcFormat.h"
#include "core/DbcRecordEncoder.h"
#include "core/KelvaneError.h"
#include "core/StringBlockBuilder.h"
#include "core/Workspace.h"

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
std::string EncodeDbcFile(Workspace& workspace, const ByteSink& sink) {
    RecordTable& table = workspace.Table;
    const ControlsSuspension suspended(table);
    table.First();  // finishes a record being edited

    const int fieldCount = table.FieldCount() - 1;
    if (fieldCount > MaxFieldCount) {
        throw KelvaneError("the table has " + std::to_string(fieldCount) +
                           " fields, more than the " + std::to_string(MaxFieldCount) +
                           " a DBC file can hold");
    }
    const RecordLayout layout = DbcRecordLayout(table, workspace.FileLayout);
    const int recordCount = table.RecordCount();
    if (recordCount > 0 && layout.RecordSize == 0) {
        throw KelvaneError("the table has records but no fields besides Index");
    }

    sink(std::string(DbcHeaderSize, '\0'));
    StringBlockBuilder strings;
    EncodeDbcRecords(table, layout, sink, strings);
    sink(strings.Block());
    table.Last();

    std::string header;
    AppendDbcHeader(header,
                    DbcHeader{recordCount, fieldCount, static_cast<int32_t>(layout.RecordSize),
                              static_cast<int32_t>(strings.Block().size())});
    return header;
}

}  // namespace

std::string EncodeDbcTable(Workspace& workspace) {
    std::string bytes;
    const std::string header =
        EncodeDbcFile(workspace, [&bytes](std::string_view piece) { bytes.append(piece); });
    bytes.replace(0, DbcHeaderSize, header);
    return bytes;
}

void SaveDbcFile(Workspace& workspace, const std::string& path) {
    if (!workspace.Table.Active()) {
        throw KelvaneError("DataSet not exists");
    }
    // Records stream into the temporary file batch by batch; a failure part-way leaves the
    // target as it was, and the temporary file goes with the writer.
    // Compared with the file loaded, so a save never silently undoes another program's save.
    AtomicFileWriter file(path, workspace.LoadedFile);
    try {
        const std::string header =
            EncodeDbcFile(workspace, [&file](std::string_view piece) { file.Append(piece); });
        file.WriteAt(0, header);
    } catch (const KelvaneError& error) {
        throw KelvaneError(SaveFailure(path, error.what()));
    }
    workspace.LoadedFile = file.Commit();
}

}  // namespace kelvane
