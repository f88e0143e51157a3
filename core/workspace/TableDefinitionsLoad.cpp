#include "core/workspace/TableDefinitionsLoad.h"

#include <filesystem>
#include <system_error>

#include "core/base/KelvaneError.h"
#include "core/base/TextUtil.h"
#include "core/dbc/DbcReader.h"
#include "core/definitions/DbdDefinitions.h"
#include "core/definitions/FieldDefFile.h"
#include "core/definitions/Presets.h"
#include "core/files/FileIo.h"
#include "core/files/TablePaths.h"
#include "core/table/GridColumns.h"
#include "core/workspace/Workspace.h"

namespace kelvane {
namespace {

bool FileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

// Whether the file holds exactly the bytes "Load Preset" wrote for a built-in preset of that
// file name, so the user is told their columns come from a preset.
bool HoldsPreset(const std::string& iniPath) {
    const std::string name = FileNameOfPath(iniPath);
    for (const Preset& preset : PresetTable()) {
        if (EqualsIgnoreCase(preset.FileName, name)) {
            try {
                return ReadWholeFile(iniPath, NamedBy::Program) == preset.Text;
            } catch (const KelvaneError&) {
                return false;
            }
        }
    }
    return false;
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

// The fitting layout replaces the defaults loaded holds; a layout that does not fit leaves them.
LoadedDefinitions FromDbd(LoadedDefinitions loaded, DbdTableDefinitions dbd, FieldDefList& defs) {
    loaded.Used.Message = dbd.Choice.Message;
    if (dbd.Choice.Outcome == DbdChoiceOutcome::NoFit) {
        loaded.Note = dbd.Choice.Message;
        return loaded;
    }
    const int count = static_cast<int>(dbd.Defs.size());
    for (int field = 0; field < count; ++field) {
        defs[field] = std::move(dbd.Defs[static_cast<size_t>(field)]);
    }
    MakeFieldNamesUnique(defs, count - 1);
    loaded.Used.Source = DefinitionsSource::Dbd;
    loaded.Used.File = FileNameOfPath(dbd.Path);
    loaded.Used.Build = dbd.Choice.Build;
    loaded.Used.Help = std::move(dbd.Help);
    loaded.Path = std::move(dbd.Path);
    loaded.DescribedFields = count;
    return loaded;
}

}  // namespace

TableDefinitions IniDefinitions(const std::string& iniPath) {
    TableDefinitions used;
    if (FileExists(iniPath)) {
        used.Source = DefinitionsSource::TableIni;
        used.File = FileNameOfPath(iniPath);
        used.FromPreset = HoldsPreset(iniPath);
    }
    return used;
}

LoadedDefinitions LoadTableDefinitions(const Workspace& workspace, ByteSource& file,
                                       const std::string& path, FieldDefList& defs,
                                       bool judgeTexts) {
    const DbcHeader header = ReadDbcHeader(file, path);
    const std::string iniPath = FieldDefFilePath(workspace.Current);
    LoadedDefinitions loaded;
    loaded.Path = iniPath;
    // A missing file still sets every field to its defaults: integers named by number.
    loaded.DescribedFields = LoadFieldDefinitions(workspace.Current, defs, header.FieldCount);
    loaded.Used = IniDefinitions(iniPath);
    if (loaded.Used.Source == DefinitionsSource::TableIni) {
        loaded.Note = DefinitionsNote(iniPath, path, loaded.DescribedFields, header.FieldCount);
        return loaded;
    }
    try {
        std::optional<DbdTableDefinitions> dbd = ReadDbdDefinitions(
            workspace.Settings, workspace.Current.TableName, file, path, judgeTexts);
        if (!dbd) {
            return loaded;
        }
        loaded.Used.ChosenWithoutBuild = !workspace.Settings.Build;
        return FromDbd(std::move(loaded), std::move(*dbd), defs);
    } catch (const KelvaneError& error) {
        // A broken .dbd file must not keep the user from their table: it opens as integers,
        // and the message says what is wrong where.
        loaded.Used.Message = error.what();
        loaded.Note = loaded.Used.Message + " The table loads as integers.";
        return loaded;
    }
}

}  // namespace kelvane
