#include <iomanip>
#include <memory>

#include "cli/CliCommands.h"
#include "core/OpenTable.h"
#include "core/Workspace.h"

namespace kelvane::cli {
namespace {

void PrintHeader(const LoadReport& report, const Workspace& workspace, std::ostream& out) {
    const DbcHeader& header = report.Header;
    out << "Records:       " << header.RecordCount << '\n'
        << "Fields:        " << header.FieldCount << '\n'
        << "Record size:   " << header.RecordSize << " bytes\n"
        << "String block:  " << header.StringBlockSize << " bytes\n";
    if (workspace.LoadedByteFields) {
        out << "Byte fields:   yes (" << workspace.LoadedByteFields->WholeCellCount
            << " cells of 4 bytes, then " << workspace.LoadedByteFields->ByteCellCount
            << " of 1 byte)\n";
    } else {
        out << "Byte fields:   no\n";
    }
}

void PrintColumns(const Workspace& workspace, std::ostream& out) {
    const RecordTable& table = workspace.Table;
    out << "Columns (field number, name, kind, hex):\n";
    for (int column = 1; column < table.FieldCount(); ++column) {
        const int field = column - 1;
        out << std::setw(6) << field << "  " << std::left << std::setw(32)
            << table.ColumnName(column) << std::setw(10) << FieldKindText(table.ColumnKind(column))
            << std::right << (workspace.Defs[field].Hex ? "hex" : "-") << '\n';
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
    const LoadReport report = OpenDbcTable(*workspace, path);
    out << "File:          " << path << '\n';
    PrintHeader(report, *workspace, out);
    PrintColumns(*workspace, out);
    out << "Records loaded: " << workspace->Table.RecordCount() << '\n';
    if (const std::string warning = report.Warning(path); !warning.empty()) {
        err << "Warning: " << warning << '\n';
    }
    return 0;
}

}  // namespace kelvane::cli
