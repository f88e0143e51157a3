#include <array>
#include <memory>
#include <string_view>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/CommandFlags.h"
#include "cli/TableWarnings.h"
#include "core/workspace/Workspace.h"
#include "import/ImportNotices.h"
#include "import/LootTemplates.h"
#include "import/ScriptImports.h"

namespace kelvane::cli {
namespace {

struct KindName {
    std::string_view Name;
    ScriptImport Kind;
};

constexpr std::array kKindNames{
    KindName{"scp", ScriptImport::Scp},
    KindName{"world", ScriptImport::WorldSave},
    KindName{"quests", ScriptImport::Quests},
    KindName{"itempages", ScriptImport::ItemPages},
};

ScriptImport KindNamed(std::string_view name) {
    for (const KindName& kind : kKindNames) {
        if (kind.Name == name) {
            return kind.Kind;
        }
    }
    throw UsageError("unknown import kind '" + std::string(name) +
                     "': use scp, world, quests or itempages");
}

void PrintWarnings(const std::vector<std::string>& notices, std::ostream& err) {
    for (const std::string& notice : notices) {
        err << "Warning: " << notice << '\n';
    }
}

}  // namespace

int RunImport(const Arguments& arguments, std::ostream& out, std::ostream& err) {
    Arguments args = arguments;
    const bool force = TakeFlag(args, "--force");
    if (args.size() != 3 && args.size() != 4) {
        throw UsageError(
            "import takes the kind, the DBC file, the script and, to keep the DBC file, the file "
            "to write");
    }
    const ScriptImport kind = KindNamed(args[0]);
    const std::string& path = args[1];
    const std::string& script = args[2];
    const std::string& target = args.size() == 4 ? args[3] : path;
    const auto workspace = std::make_unique<Workspace>();
    const LoadReport loaded = OpenWithWarnings(*workspace, path, err);
    const ImportReport report = ImportScriptFile(workspace->Table, kind, script);
    SaveLoadedTable(*workspace, loaded, target, force);
    PrintWarnings(ImportNotices(report), err);
    out << "Appended " << report.RecordsAppended << " records (sections skipped "
        << report.SectionsSkipped << ", records cancelled " << report.RecordsCancelled
        << ", lines passed over " << report.LinesPassedOver << ", values replaced "
        << report.ValuesReplaced << "); wrote \"" << target
        << "\": " << workspace->Table.RecordCount() << " records.\n";
    return 0;
}

int RunImportLoot(const Arguments& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        throw UsageError("import-loot takes one argument: the loot template script");
    }
    const LootImportReport report = ImportLootTemplates(args[0]);
    PrintWarnings(LootImportNotices(report), err);
    out << "Wrote " << report.FilesWritten << " files with " << report.EntriesWritten
        << " entries to \"" << LootTemplateFolder(args[0]) << "\".\n";
    return 0;
}

}  // namespace kelvane::cli
