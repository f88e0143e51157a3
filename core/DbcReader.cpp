#include "core/DbcReader.h"

#include <algorithm>

#include "core/DbcLayout.h"
#include "core/DbcRecordDecoder.h"
#include "core/FieldDefFile.h"
#include "core/FileByteSource.h"
#include "core/GridColumns.h"
#include "core/KelvaneError.h"
#include "core/MemoryByteSource.h"
#include "core/TablePaths.h"
#include "core/TextUtil.h"
#include "core/Workspace.h"

namespace kelvane {
namespace {

constexpr size_t kMaxColumnNameLength = 30;

// Index, then one column per definition entry; names are cut to 30 characters in the entry
// itself, so the definitions and the table agree. Returns the kinds of the field columns.
std::vector<FieldKind> DefineColumns(RecordTable& table, FieldDefList& defs, int columns,
                                     const CellLayout& cells) {
    table.AddFieldDef("Index", FieldKind::ftInteger, 0, true);
    std::vector<FieldKind> kinds;
    for (int field = 0; field < columns; ++field) {
        FieldDef& def = defs[field];
        if (def.Name.size() > kMaxColumnNameLength) {
            def.Name.resize(kMaxColumnNameLength);
        }
        const FieldKind kind = field < cells.FieldCount()
                                   ? ColumnKindOfCell(def.Kind, cells.CellBytes(field))
                                   : def.Kind;
        const int size = kind == FieldKind::ftString ? StringFieldSize : 0;
        table.AddFieldDef(def.Name, kind, size, false);
        kinds.push_back(kind);
    }
    return kinds;
}

// "Spell.ini describes 167 fields; Spell.dbc has 173: ...", or "" when they agree or there
// are no definitions at all.
std::string DefinitionsNote(const std::string& definitionsPath, const std::string& path,
                            int described, int fieldCount) {
    if (described == 0 || described == fieldCount) {
        return {};
    }
    const std::string intro = FileNameOfPath(definitionsPath) + " describes " +
                              std::to_string(described) + " fields; " + FileNameOfPath(path) +
                              " has " + std::to_string(fieldCount) + ": ";
    if (described < fieldCount) {
        return intro + "columns after the " + OrdinalText(described) +
               " are integers, and column kinds may be shifted.";
    }
    return intro + "the definitions after the " + OrdinalText(fieldCount) +
           " are not used, and column kinds may be shifted.";
}

StringBlockFit FitOf(const DecodedRecords& decoded, const FieldDefList& defs) {
    StringBlockFit fit;
    for (size_t field = 0; field < decoded.BadStringCells.size(); ++field) {
        const int misread = decoded.BadStringCells[field] + decoded.MidTextCells[field];
        if (misread > 0) {
            fit.MisreadColumns.push_back({defs[static_cast<int>(field)].Name, misread});
        }
    }
    fit.DroppedTexts = decoded.UnusedTexts;
    return fit;
}

LoadReport BuildTable(Workspace& workspace, const std::string& path, ByteSource& file,
                      bool applyDefinitions, int fieldLimit, const LoadProgress& progress) {
    RecordTable& table = workspace.Table;
    table.ClearFieldDefs();
    workspace.FileLayout = CellLayout();
    const uint64_t fileSize = file.Size();
    const size_t headerSize =
        fileSize < DbcHeaderSize ? static_cast<size_t>(fileSize) : DbcHeaderSize;
    const DbcLayout layout = CheckDbcLayout(file.Read(0, headerSize), fileSize, path);
    const int fieldCount = layout.Header.FieldCount;
    const std::string definitionsPath = FieldDefFilePath(workspace.Current);

    LoadReport report;
    report.Header = layout.Header;
    // Without definitions the caller chose the column count; cells past it are not loaded and
    // columns past the record's cells keep their defaults. Definitions past the chosen count
    // are left from earlier tables, so their sizes do not count.
    int columns = fieldCount;
    if (applyDefinitions) {
        const int described = GetIniSettings(workspace.Current, workspace.Defs, fieldCount);
        report.DefinitionsNote = DefinitionsNote(definitionsPath, path, described, fieldCount);
    } else {
        if (fieldLimit < 0 || fieldLimit > MaxFieldCount) {
            throw KelvaneError("Cannot load \"" + path + "\" with " + std::to_string(fieldLimit) +
                               " fields: a table has 0 to " + std::to_string(MaxFieldCount) +
                               " fields.");
        }
        columns = fieldLimit;
    }
    const CellLayout cells =
        RecordCellLayout(layout.Header, FieldBitsOf(workspace.Defs, std::min(columns, fieldCount)),
                         path, definitionsPath);
    const std::vector<FieldKind> kinds = DefineColumns(table, workspace.Defs, columns, cells);
    table.CreateDataSet();
    workspace.FileLayout = cells;

    DecodedRecords decoded =
        DecodeDbcRecords(file, layout, cells, kinds, std::min(columns, fieldCount), progress);
    report.HasByteFields = cells.HasNarrowCells();
    report.RecordsLoaded = layout.Header.RecordCount;
    for (size_t field = 0; field < kinds.size(); ++field) {
        if (decoded.BadStringCells[field] > 0) {
            report.BadStringCells += decoded.BadStringCells[field];
            report.BadStringColumns.push_back(workspace.Defs[static_cast<int>(field)].Name);
        }
    }
    report.TextFit = FitOf(decoded, workspace.Defs);
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
