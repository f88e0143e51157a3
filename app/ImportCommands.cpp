#include "app/ImportCommands.h"

#include "app/UserDialogs.h"
#include "app/WorkFeedback.h"
#include "import/LootFileName.h"
#include "import/LootTemplates.h"

namespace kelvane {
namespace {

// The one open dialog all script imports share: its title, the kind's pattern and "all", and
// the name the kind proposes (none for the generic import).
FileDialogRequest ScriptDialog(const ScriptDialogPreset& preset) {
    const std::string pattern(preset.Pattern);
    return {std::string(ScriptDialogTitle),
            {{pattern, pattern}, {std::string(AllFilesChoice), "*.*"}},
            "",
            std::string(preset.FileName)};
}

}  // namespace

ImportCommands::ImportCommands(RecordTable& table, UserDialogs& dialogs, WorkFeedback& feedback)
    : table_(table), dialogs_(dialogs), feedback_(feedback) {}

void ImportCommands::ImportRecords(ScriptImport kind) {
    if (const std::optional<std::string> path =
            dialogs_.ChooseOpenFile(ScriptDialog(DialogPresetFor(kind)))) {
        BusyScope busy(feedback_);
        ImportScriptFile(table_, kind, *path);
    }
}

void ImportCommands::ImportLootTemplates() {
    const std::optional<std::string> path =
        dialogs_.ChooseOpenFile(ScriptDialog({"loottemplates.scp", "*.scp"}));
    if (!path) {
        return;
    }
    LootImportReport report;
    {
        BusyScope busy(feedback_);
        report = kelvane::ImportLootTemplates(*path);
    }
    if (!report.SkippedIds.empty()) {
        dialogs_.ShowMessage(SkippedLootIdsMessage(report.SkippedIds));
    }
}

}  // namespace kelvane
