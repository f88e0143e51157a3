#include "core/DbcWriter.h"

#include <algorithm>

#include "core/ControlsSuspension.h"
#include "core/DbcFormat.h"
#include "core/DbcRecordEncoder.h"
#include "core/FileIo.h"
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

}  // namespace

std::string EncodeDbcTable(Workspace& workspace) {
    RecordTable& table = workspace.Table;
    const ControlsSuspension suspended(table);
    table.First();  // finishes a record being edited

    const int fieldCount = table.FieldCount() - 1;
    if (fieldCount > MaxFieldCount) {
        throw KelvaneError("the table has " + std::to_string(fieldCount) +
                           " fields, more than the " + std::to_string(MaxFieldCount) +
                           " a DBC file can hold");
    }
    const RecordLayout layout = DbcRecordLayout(table, workspace.LoadedByteFields);
    const int recordCount = table.RecordCount();
    if (recordCount > 0 && layout.RecordSize == 0) {
        throw KelvaneError("the table has records but no fields besides Index");
    }

    // Room for a string block as large as the records: appending a larger one copies the
    // records, which then costs less than building the block did.
    const size_t recordsEnd = DbcHeaderSize + static_cast<size_t>(recordCount) * layout.RecordSize;
    std::string bytes;
    bytes.reserve(recordsEnd + std::min<size_t>(recordsEnd, MaxStringBlockSize));
    bytes.resize(DbcHeaderSize);
    StringBlockBuilder strings;
    EncodeDbcRecords(table, layout, bytes, strings);

    // The header comes last, when the block's size is known.
    std::string header;
    AppendDbcHeader(header,
                    DbcHeader{recordCount, fieldCount, static_cast<int32_t>(layout.RecordSize),
                              static_cast<int32_t>(strings.Block().size())});
    bytes.replace(0, DbcHeaderSize, header);
    bytes.append(strings.Block());
    table.Last();
    return bytes;
}

void SaveDbcFile(Workspace& workspace, const std::string& path) {
    if (!workspace.Table.Active()) {
        throw KelvaneError("DataSet not exists");
    }
    std::string bytes;
    try {
        bytes = EncodeDbcTable(workspace);
    } catch (const KelvaneError& error) {
        throw KelvaneError(SaveFailure(path, error.what()));
    }
    WriteFileAtomically(path, bytes);
}

}  // namespace kelvane
