#include "app/FieldSettingsFill.h"

#include <algorithm>
#include <string>

#include "core/base/EchoText.h"
#include "core/base/KelvaneError.h"
#include "core/dbc/DbcReader.h"
#include "core/definitions/DbdDefinitions.h"
#include "core/definitions/FieldKindGuess.h"
#include "core/files/FileByteSource.h"
#include "core/files/TablePaths.h"
#include "core/workspace/FileKindGuess.h"
#include "core/workspace/Workspace.h"

namespace kelvane {
namespace {

// The path of the file the open table was loaded from (or last saved to).
const std::string& TableFilePath(const Workspace& work) {
    if (!work.Table.Active() || !work.LoadedFile) {
        throw KelvaneError("Open a table from a file first: the definitions are chosen to fit it.");
    }
    return work.Current.FilePath;
}

}  // namespace

std::vector<FieldSettingsRow> FieldSettingsRowsFromDbd(const Workspace& work) {
    const std::string& path = TableFilePath(work);
    const std::string& tableName = work.Current.TableName;
    if (work.Settings.DbdFolder.empty()) {
        throw KelvaneError(
            "No definitions folder is set: choose the folder of the .dbd files "
            "with Options > Definitions folder... first.");
    }
    FileByteSource file(path);
    const std::optional<DbdTableDefinitions> found =
        ReadDbdDefinitions(work.Settings, tableName, file, path);
    if (!found) {
        throw KelvaneError("There is no " + tableName + ".dbd in the definitions folder " +
                           work.Settings.DbdFolder + ".");
    }
    if (found->Defs.empty()) {
        throw KelvaneError(found->Choice.Message.empty()
                               ? "No layout of " + FileNameOfPath(found->Path) + " fits " +
                                     FileNameOfPath(path) + "."
                               : found->Choice.Message);
    }
    std::vector<FieldSettingsRow> rows;
    for (const FieldDef& def : found->Defs) {
        FieldSettingsRow row = FieldSettingsRowOf(def);
        row.Index = std::to_string(rows.size());
        row.Kind = FieldKindText(def.Kind);
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<FieldSettingsRow> FieldSettingsRowsWithGuessedKinds(std::vector<FieldSettingsRow> rows,
                                                                const Workspace& work) {
    const FieldKindGuess guess = GuessFieldKindsOfFile(TableFilePath(work));
    const size_t guessed = std::min(rows.size(), guess.Kinds.size());
    for (size_t field = 0; field < guessed; ++field) {
        rows[field].Kind = FieldKindText(guess.Kinds[field]);
    }
    return rows;
}

std::string GuessedKindsText(const std::vector<FieldSettingsRow>& before,
                             const std::vector<FieldSettingsRow>& after) {
    std::vector<std::string> changes;
    for (size_t row = 0; row < std::min(before.size(), after.size()); ++row) {
        if (before[row].Kind != after[row].Kind) {
            changes.push_back(after[row].Name + ": " + after[row].Kind);
        }
    }
    if (changes.empty()) {
        return "Guess: the data fits the kinds as they are; nothing changed.";
    }
    return "Guess changed " + std::to_string(changes.size()) +
           (changes.size() == 1 ? " kind: " : " kinds: ") + QuotedList(changes, 5) +
           ". OK takes them over.";
}

}  // namespace kelvane
