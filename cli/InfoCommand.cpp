#include <iomanip>
#include <memory>

#include "cli/CliCommands.h"
#include "cli/DefinitionFlags.h"
#include "core/base/EchoText.h"
#include "core/workspace/OpenTable.h"
#include "core/workspace/Workspace.h"

namespace kelvane::cli {
namespace {

// "no", or "yes (2 cells of 4 bytes, 1 of 2 bytes, 4 of 1 byte)".
std::string NarrowCellSummary(const CellLayout& layout) {
    if (!layout.HasNarrowCells()) {
        return "no";
    }
    std::string summary;
    for (const int bytes : {4, 2, 1}) {
        int cells = 0;
        for (int field = 0; field < layout.FieldCount(); ++field) {
            cells += layout.CellBytes(field) == bytes ? 1 : 0;
        }
        if (cells > 0) {
            summary += (summary.empty() ? "yes (" : ", ") + std::to_string(cells) +
                       (summary.empty() ? " cells of " : " of ") + std::to_string(bytes) +
                       (bytes == 1 ? " byte" : " bytes");
        }
    }
    return summary + ")";
}

void PrintHeader(const LoadReport& report, const Workspace& workspace, std::ostream& out) {
    const DbcHeader& header = report.Header;
    out << "Records:       " << header.RecordCount << '\n'
        << "Fields:        " << header.FieldCount << '\n'
        << "Record size:   " << header.RecordSize << " bytes\n"
        << "String block:  " << header.StringBlockSize << " bytes\n";
    out << "Byte fields:   " << NarrowCellSummary(workspace.FileLayout) << '\n';
}

void PrintColumns(const Workspace& workspace, std::ostream& out) {
    const RecordTable& table = workspace.Table;
    const CellLayout& cells = workspace.FileLayout;
    out << "Columns (field number, name, kind, hex, bits, byte offset in the record):\n";
    for (int column = 1; column < table.FieldCount(); ++column) {
        const int field = column - 1;
        out << std::setw(6) << field << "  " << std::left << std::setw(32)
            << EscapedText(table.ColumnName(column)) << std::setw(10)
            << FieldKindText(table.ColumnKind(column)) << std::setw(4)
            << (workspace.Defs[field].Hex ? "hex" : "-") << std::right;
        // Columns past the file's cells (a load with more columns than fields) have none.
        if (field < cells.FieldCount()) {
            out << std::setw(5) << 8 * cells.CellBytes(field) << std::setw(8)
                << cells.Offset(field);
        }
        out << '\n';
    }
}

void PrintDefinitions(const TableDefinitions& definitions, std::ostream& out) {
    out << "Definitions:   " << DefinitionsSummary(definitions) << '\n';
    if (!definitions.Message.empty()) {
        out << "Layout:        " << definitions.Message << '\n';
    }
}

}  // namespace

int RunInfo(const Arguments& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        throw UsageError("info takes one argument: the DBC file");
    }
    const std::string& path = args[0];
    // The workspace holds 2001 field definitions: too big for the stack.
    const auto workspace = std::make_unique<Workspace>();
    workspace->Settings = DefinitionSettingsInUse();
    const LoadReport report = OpenDbcTable(*workspace, path);
    out << "File:          " << path << '\n';
    PrintHeader(report, *workspace, out);
    PrintDefinitions(workspace->Definitions, out);
    PrintColumns(*workspace, out);
    out << "Records loaded: " << workspace->Table.RecordCount() << '\n';
    if (const std::string warning = report.Warning(path); !warning.empty()) {
        err << "Warning: " << warning << '\n';
    }
    return 0;
}

}  // namespace kelvane::cli
