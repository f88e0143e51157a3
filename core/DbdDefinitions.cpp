#include "core/DbdDefinitions.h"

#include <filesystem>
#include <system_error>

#include "core/DbdReader.h"
#include "core/FileIo.h"
#include "core/TablePaths.h"
#include "core/TextUtil.h"

namespace kelvane {
namespace {

FieldDef FieldDefOf(const DbdField& field, int number) {
    FieldDef def;
    def.Number = number;
    def.Name = field.Name;
    def.Kind = field.Kind;
    def.KindText = std::string(FieldKindText(field.Kind));
    def.Bits = field.Bits;
    return def;
}

}  // namespace

std::optional<std::string> FindDbdFile(const DefinitionSettings& settings,
                                       const std::string& tableName) {
    if (settings.DbdFolder.empty() || tableName.empty()) {
        return std::nullopt;
    }
    const std::string wanted = tableName + ".dbd";
    // The exact name first: a folder may hold names that differ only in case.
    const std::string exact = JoinPath(settings.DbdFolder, wanted);
    std::error_code error;
    if (std::filesystem::is_regular_file(exact, error)) {
        return exact;
    }
    // A folder that cannot be read holds no definitions: tables then load as they would
    // without a folder.
    std::filesystem::directory_iterator entries(settings.DbdFolder, error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        const std::string name = entries->path().filename().string();
        if (EqualsIgnoreCase(name, wanted) && entries->is_regular_file(error)) {
            return entries->path().string();
        }
    }
    return std::nullopt;
}

std::optional<DbdTableDefinitions> ReadDbdDefinitions(const DefinitionSettings& settings,
                                                      const std::string& tableName,
                                                      int64_t fieldCount, int64_t recordBytes) {
    std::optional<std::string> path = FindDbdFile(settings, tableName);
    if (!path) {
        return std::nullopt;
    }
    const DbdFile file = ReadDbdFile(ReadWholeFile(*path), FileNameOfPath(*path));
    DbdTableDefinitions definitions;
    definitions.Path = std::move(*path);
    definitions.Choice =
        ChooseDbdLayout(file, {tableName + ".dbc", fieldCount, recordBytes, settings.Build});
    const std::vector<DbdField>& fields = definitions.Choice.Fields;
    for (size_t i = 0; i < fields.size(); ++i) {
        definitions.Defs.push_back(FieldDefOf(fields[i], static_cast<int>(i)));
        definitions.Help.push_back({fields[i].Comment, fields[i].ForeignKey, fields[i].IsKey});
    }
    return definitions;
}

}  // namespace kelvane
