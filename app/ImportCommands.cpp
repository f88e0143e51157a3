#include "app/ImportCommands.h"

#include "app/LongWork.h"
#include "app/StatusTexts.h"
#include "core/table/RecordTable.h"
#include "import/ImportNotices.h"
#include "import/LootTemplates.h"
#include "shell/UserDialogs.h"
#include "shell/WorkFeedback.h"

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
        const ImportReport report =
            RunLongWork(feedback_, ImportingTitle(*path), [&](const WorkProgress& progress) {
                return ImportScriptFile(table_, kind, *path, progress);
            });
        feedback_.CommandDone(ScriptImportedText(report, *path));
        ShowNotices(ImportNotices(report));
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
    feedback_.CommandDone(LootTemplatesWrittenText(report));
    ShowNotices(LootImportNotices(report));
}

// All in one message, so that an import asks for one click at the most.
void ImportCommands::ShowNotices(const std::vector<std::string>& notices) {
    if (notices.empty()) {
        return;
    }
    std::string message;
    for (const std::string& notice : notices) {
        message += (message.empty() ? "" : "\n\n") + notice;
    }
    dialogs_.ShowMessage(message);
}

}  // namespace kelvane
