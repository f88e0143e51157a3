#include <memory>

#include "cli/CliCommands.h"
#include "core/DbcWriter.h"
#include "core/OpenTable.h"
#include "core/Workspace.h"

namespace kelvane::cli {

int RunResave(const Arguments& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2) {
        throw UsageError("resave takes two arguments: the DBC file and the file to write");
    }
    const std::string& path = args[0];
    const std::string& target = args[1];
    const auto workspace = std::make_unique<Workspace>();
    const LoadReport report = OpenDbcTable(*workspace, path);
    if (const std::string warning = report.Warning(path); !warning.empty()) {
        err << "Warning: " << warning << '\n';
    }
    // Like a plain Save, the field definitions decide what is written: strings of a table
    // without string columns are lost.
    if (!workspace->Table.HasStringField() && report.Header.StringBlockSize > 1) {
        err << "Warning: \"" << path << "\" holds " << report.Header.StringBlockSize
            << " bytes of strings, but its field definitions name no string column; \"" << target
            << "\" is written without them.\n";
    }
    SaveDbcFile(*workspace, target);
    out << "Wrote \"" << target << "\": " << workspace->Table.RecordCount() << " records.\n";
    return 0;
}

}  // namespace kelvane::cli
