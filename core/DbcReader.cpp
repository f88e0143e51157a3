#include "core/DbcReader.h"

#include <algorithm>

#include "core/DbcLayout.h"
#include "core/DbcRecordDecoder.h"
#include "core/FieldDefFile.h"
#include "core/FileByteSource.h"
#include "core/GridColumns.h"
#include "core/KelvaneError.h"
#include "core/MemoryByteSource.h"
#include "core/Workspace.h"

namespace kelvane {
namespace {

constexpr size_t kMaxColumnNameLength = 30;

// Index, then one column per definition entry; names are cut to 30 characters in the entry
// itself, so the definitions and the table agree. Returns the kinds of the field columns.
std::vector<FieldKind> DefineColumns(RecordTable& table, FieldDefList& defs, int columns) {
    table.AddFieldDef("Index", FieldKind::ftInteger, 0, true);
    std::vector<FieldKind> kinds;
    for (int field = 0; field < columns; ++field) {
        FieldDef& def = defs[field];
        if (def.Name.size() > kMaxColumnNameLength) {
            def.Name.resize(kMaxColumnNameLength);
        }
        const int size = def.Kind == FieldKind::ftString ? StringFieldSize : 0;
        table.AddFieldDef(def.Name, def.Kind, size, false);
        kinds.push_back(def.Kind);
    }
    return kinds;
}

LoadReport BuildTable(Workspace& workspace, const std::string& path, ByteSource& file,
                      bool applyDefinitions, int fieldLimit, const LoadProgress& progress) {
    RecordTable& table = workspace.Table;
    table.ClearFieldDefs();
    workspace.LoadedByteFields.reset();
    const uint64_t fileSize = file.Size();
    const size_t headerSize =
        fileSize < DbcHeaderSize ? static_cast<size_t>(fileSize) : DbcHeaderSize;
    const DbcLayout layout = CheckDbcLayout(file.Read(0, headerSize), fileSize, path);
    const int fieldCount = layout.Header.FieldCount;

    // Without definitions the caller chose the column count; cells past it are not loaded and
    // columns past the record's cells keep their defaults.
    int columns = fieldCount;
    if (applyDefinitions) {
        GetIniSettings(workspace.Current, workspace.Defs, fieldCount);
    } else {
        if (fieldLimit < 0 || fieldLimit > MaxFieldCount) {
            throw KelvaneError("Cannot load \"" + path + "\" with " + std::to_string(fieldLimit) +
                               " fields: a table has 0 to " + std::to_string(MaxFieldCount) +
                               " fields.");
        }
        columns = fieldLimit;
    }
    const std::vector<FieldKind> kinds = DefineColumns(table, workspace.Defs, columns);
    table.CreateDataSet();
    workspace.LoadedByteFields = layout.ByteFields;

    DecodedRecords decoded =
        DecodeDbcRecords(file, layout, kinds, std::min(columns, fieldCount), progress);
    LoadReport report;
    report.Header = layout.Header;
    report.HasByteFields = layout.ByteFields.has_value();
    report.RecordsLoaded = layout.Header.RecordCount;
    for (size_t field = 0; field < kinds.size(); ++field) {
        if (decoded.BadStringCells[field] > 0) {
            report.BadStringCells += decoded.BadStringCells[field];
            report.BadStringColumns.push_back(workspace.Defs[static_cast<int>(field)].Name);
        }
    }
    table.AdoptLoadedRows(std::move(decoded.Rows));
    return report;
}

// Runs after every load, also one that failed part-way: the grid resumes and the columns get
// their display rules for whatever was built.
void FinishLoad(Workspace& workspace) {
    workspace.Table.EnableControls();
    SetupGridColumns(workspace.Table, workspace.Defs);
    ApplyColumnCaptions(workspace.Table, workspace.Defs);
}

LoadReport LoadFrom(Workspace& workspace, const std::string& path, ByteSource& file,
                    bool applyDefinitions, int fieldLimit, const LoadProgress& progress) {
    workspace.Table.DisableControls();
    LoadReport report;
    try {
        report = BuildTable(workspace, path, file, applyDefinitions, fieldLimit, progress);
    } catch (...) {
        FinishLoad(workspace);
        throw;
    }
    FinishLoad(workspace);
    return report;
}

}  // namespace

LoadReport LoadDbcFile(Workspace& workspace, const std::string& path, bool applyDefinitions,
                       int fieldLimit, const LoadProgress& progress) {
    // Closed before the file is opened: a file that cannot be read must not leave the previous
    // table open under the new file's name.
    workspace.Table.Close();
    // Taken before reading: a change while the file is read makes the next save ask.
    workspace.LoadedFile = FileSnapshot::Take(path);
    FileByteSource file(path);
    return LoadFrom(workspace, path, file, applyDefinitions, fieldLimit, progress);
}

LoadReport LoadDbcBytes(Workspace& workspace, const std::string& path, std::string_view bytes,
                        bool applyDefinitions, int fieldLimit, const LoadProgress& progress) {
    workspace.Table.Close();
    workspace.LoadedFile.reset();
    MemoryByteSource file(bytes);
    return LoadFrom(workspace, path, file, applyDefinitions, fieldLimit, progress);
}

}  // namespace kelvane
