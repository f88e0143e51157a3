#include "import/ScriptImports.h"

#include <memory>

#include "core/files/FileMemoryGuard.h"
#include "core/undo/TableBatch.h"
#include "import/AssignByKind.h"
#include "import/ItemPageImporter.h"
#include "import/QuestImporter.h"
#include "import/WorldSaveImporter.h"

namespace kelvane {
namespace {

// "Import from *.scp": the section id into the first field column, every key by its column.
class KeyColumnImporter : public SectionImporter {
  public:
    void HandleLine(RecordTable& table, std::string_view key, std::string_view line) override {
        AssignByKind(table, key, line);
    }
};

std::unique_ptr<SectionImporter> ImporterFor(ScriptImport kind) {
    switch (kind) {
        case ScriptImport::WorldSave:
            return std::make_unique<WorldSaveImporter>();
        case ScriptImport::Quests:
            return std::make_unique<QuestImporter>();
        case ScriptImport::ItemPages:
            return std::make_unique<ItemPageImporter>();
        case ScriptImport::Scp:
            break;
    }
    return std::make_unique<KeyColumnImporter>();
}

}  // namespace

ScriptDialogPreset DialogPresetFor(ScriptImport kind) {
    switch (kind) {
        case ScriptImport::WorldSave:
            return {"world.save", "*.save"};
        case ScriptImport::Quests:
            return {"quests.tt", "*.tt"};
        case ScriptImport::ItemPages:
            return {"itempages.tt", "*.tt"};
        case ScriptImport::Scp:
            break;
    }
    // Cleared rather than left with the last import's name, which would be the wrong script.
    return {"", "*.scp"};
}

ImportReport ImportScriptFile(RecordTable& table, ScriptImport kind, const std::string& path,
                              const WorkProgress& progress) {
    return GuardMemory(FileWork::Importing, path, [&] {
        const ScriptLines lines = ScriptLines::Load(path);
        return RunAsOneBatch(table, "Import Script", lines.Sections().size(),
                             [&] { return ImportScript(table, kind, lines, progress); });
    });
}

ImportReport ImportScript(RecordTable& table, ScriptImport kind, const ScriptLines& lines,
                          const WorkProgress& progress) {
    const std::unique_ptr<SectionImporter> importer = ImporterFor(kind);
    return ImportRecords(table, lines, *importer, progress);
}

}  // namespace kelvane
