#include <array>
#include <memory>
#include <string_view>

#include "cli/CliCommands.h"
#include "cli/TableWarnings.h"
#include "core/workspace/Workspace.h"
#include "editors/DatFile.h"
#include "editors/DatKinds.h"

namespace kelvane::cli {

int RunDat(const Arguments& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 3) {
        throw UsageError("dat takes KIND, the DBC file and the file to write");
    }
    const DatKind* kind = DatKindForWord(args[0]);
    if (kind == nullptr) {
        throw UsageError("unknown .dat kind '" + args[0] + "'; use creatures, items or go");
    }
    const auto workspace = std::make_unique<Workspace>();
    // The file only needs its id and name columns: the others are not even decoded.
    const std::array<std::string_view, 2> columns{DatIdColumn, kind->NameColumn};
    OpenWithWarnings(*workspace, args[1], err, columns);
    WriteDatFile(workspace->Table, *kind, args[2]);
    out << "Wrote \"" << args[2] << "\": " << workspace->Table.RecordCount()
        << " records and the closing line.\n";
    return 0;
}

}  // namespace kelvane::cli
