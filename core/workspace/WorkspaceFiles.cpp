#include "core/workspace/WorkspaceFiles.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "core/base/KelvaneError.h"
#include "core/dbc/DbcReader.h"
#include "core/dbc/DbcWriter.h"
#include "core/dbc/DefinedColumns.h"
#include "core/definitions/FieldDefFile.h"
#include "core/definitions/FieldKindGuess.h"
#include "core/files/FileByteSource.h"
#include "core/files/MemoryByteSource.h"
#include "core/table/GridColumns.h"
#include "core/workspace/TableDefinitionsLoad.h"
#include "core/workspace/Workspace.h"

namespace kelvane {
namespace {

// Reads the whole file before the workspace changes: a file that cannot be read leaves the open
// table, its definitions and its layout as they were.
LoadReport BuildTable(Workspace& workspace, const std::string& path, ByteSource& file,
                      bool applyDefinitions, int fieldLimit, const LoadProgress& progress,
                      ColumnNames onlyColumns) {
    const DbcHeader header = ReadDbcHeader(file, path);
    // On the heap: the list holds an entry for every field a table may have.
    auto defs = std::make_unique<FieldDefList>(workspace.Defs);
    // Without definitions the caller chose the column count; cells past it are not loaded and
    // columns past the record's cells keep their defaults.
    int columns = header.FieldCount;
    LoadedDefinitions loaded;
    // A load of every column judges the texts of a .dbd layout by the cells it decodes anyway;
    // a load of some columns cannot, so the layouts are judged on the file first.
    const bool wholeRecords = onlyColumns.empty();
    if (applyDefinitions) {
        loaded = LoadTableDefinitions(workspace, file, path, *defs, !wholeRecords);
    } else {
        loaded.Path = FieldDefFilePath(workspace.Current);
        loaded.Used = IniDefinitions(loaded.Path);
        // The definitions held describe exactly the columns asked for.
        loaded.DescribedFields = fieldLimit;
        if (fieldLimit < 0 || fieldLimit > MaxFieldCount) {
            throw KelvaneError("Cannot load \"" + path + "\" with " + std::to_string(fieldLimit) +
                               " fields: a table has 0 to " + std::to_string(MaxFieldCount) +
                               " fields.");
        }
        columns = fieldLimit;
    }
    const auto read = [&] {
        return ReadDbcTable(file, path, {*defs, columns, loaded.Path, onlyColumns}, progress);
    };
    DbcTableData data = read();
    if (applyDefinitions && wholeRecords && loaded.Used.Source == DefinitionsSource::Dbd &&
        !data.Report.TextFit.Fits()) {
        // The first layout of the file's size reads its texts wrong: every layout is judged by
        // its texts, and the table read again with the one that fits, or as integers.
        data = {};
        loaded = LoadTableDefinitions(workspace, file, path, *defs, true);
        data = read();
    }
    TableDefinitions& used = loaded.Used;
    CreateColumns(workspace.Table, data.Columns);
    workspace.Defs = *defs;
    workspace.Table.AdoptLoadedRows(std::move(data.Rows));
    if (applyDefinitions && used.Source == DefinitionsSource::None) {
        // Only counted, never applied: the status bar tells the user what their data suggests.
        used.TextLikeColumns = GuessFieldKinds(workspace.Table, data.Layout).TextColumns;
    }
    workspace.Definitions = std::move(used);
    workspace.SomeColumnsOnly = !wholeRecords;
    workspace.FileLayout = data.Layout;
    data.Report.DefinitionsPath = std::move(loaded.Path);
    data.Report.DescribedFields = loaded.DescribedFields;
    data.Report.DefinitionsNote = std::move(loaded.Note);
    return data.Report;
}

// Runs after every load, also one that failed part-way: the grid resumes and the columns get
// their display rules for whatever was built.
void FinishLoad(Workspace& workspace) {
    workspace.Table.ResumeNotifications();
    SetupGridColumns(workspace.Table, workspace.Defs);
    ApplyColumnCaptions(workspace.Table, workspace.Defs);
}

LoadReport LoadFrom(Workspace& workspace, const std::string& path, ByteSource& file,
                    bool applyDefinitions, int fieldLimit, const LoadProgress& progress,
                    ColumnNames onlyColumns = {}) {
    workspace.Table.SuspendNotifications();
    LoadReport report;
    try {
        report =
            BuildTable(workspace, path, file, applyDefinitions, fieldLimit, progress, onlyColumns);
    } catch (...) {
        FinishLoad(workspace);
        throw;
    }
    FinishLoad(workspace);
    return report;
}

// Finishes a record being edited, so the writer sees stored values, and runs write. The cursor
// stays on its record: a save leaves the user where they were.
template <typename Write>
auto WriteFinished(Workspace& workspace, Write write) {
    if (!workspace.Table.Active() || workspace.SomeColumnsOnly) {
        throw KelvaneError("DataSet not exists");
    }
    workspace.Table.FinishEditing();
    return write();
}

}  // namespace

LoadReport LoadDbcFile(Workspace& workspace, const std::string& path, bool applyDefinitions,
                       int fieldLimit, const LoadProgress& progress, ColumnNames onlyColumns) {
    // Taken before reading: a change while the file is read makes the next save ask.
    std::optional<FileSnapshot> snapshot = FileSnapshot::Take(path);
    FileByteSource file(path);
    LoadReport report =
        LoadFrom(workspace, path, file, applyDefinitions, fieldLimit, progress, onlyColumns);
    workspace.LoadedFile = std::move(snapshot);
    return report;
}

LoadReport LoadDbcBytes(Workspace& workspace, const std::string& path, std::string_view bytes,
                        bool applyDefinitions, int fieldLimit, const LoadProgress& progress) {
    MemoryByteSource file(bytes);
    return LoadDbcSource(workspace, path, file, applyDefinitions, fieldLimit, progress);
}

LoadReport LoadDbcSource(Workspace& workspace, const std::string& path, ByteSource& file,
                         bool applyDefinitions, int fieldLimit, const LoadProgress& progress) {
    LoadReport report = LoadFrom(workspace, path, file, applyDefinitions, fieldLimit, progress);
    workspace.LoadedFile.reset();
    return report;
}

void SaveDbcFile(Workspace& workspace, const std::string& path) {
    RecordTable& table = workspace.Table;
    workspace.LoadedFile = WriteFinished(workspace, [&] {
        return WriteDbcFile(table, workspace.FileLayout, path, workspace.LoadedFile);
    });
}

std::string EncodeDbcTable(Workspace& workspace) {
    return WriteFinished(workspace,
                         [&] { return EncodeDbc(workspace.Table, workspace.FileLayout); });
}

}  // namespace kelvane
