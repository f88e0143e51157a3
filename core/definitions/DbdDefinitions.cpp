#include "core/definitions/DbdDefinitions.h"

#include <filesystem>
#include <system_error>

#include "core/base/TextUtil.h"
#include "core/dbc/DbcReader.h"
#include "core/dbc/DbcRecordDecoder.h"
#include "core/dbc/StringBlockProbe.h"
#include "core/definitions/DbdReader.h"
#include "core/files/FileIo.h"
#include "core/files/TablePaths.h"

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

// How the string columns of a layout fit the file's texts, judged as a load would judge them.
StringBlockFit LayoutTextFit(StringBlockProbe& probe, const DbcLayout& file,
                             const std::vector<DbdField>& fields, const std::string& dbcPath,
                             const std::string& dbdPath) {
    std::vector<int> bits;
    for (const DbdField& field : fields) {
        bits.push_back(field.Bits);
    }
    const CellLayout cells = RecordCellLayout(file.Header, bits, dbcPath, dbdPath);
    std::vector<ProbedStringColumn> columns;
    for (size_t field = 0; field < fields.size(); ++field) {
        const int cell = static_cast<int>(field);
        if (ColumnKindOfCell(fields[field].Kind, cells.CellBytes(cell)) == FieldKind::ftString) {
            columns.push_back({cell, fields[field].Name});
        }
    }
    return probe.Fit(cells, columns);
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
                                                      ByteSource& dbcFile,
                                                      const std::string& dbcPath, bool judgeTexts) {
    std::optional<std::string> path = FindDbdFile(settings, tableName);
    if (!path) {
        return std::nullopt;
    }
    const DbdFile file = ReadDbdFile(ReadWholeFile(*path, NamedBy::Program), FileNameOfPath(*path));
    const DbcLayout layout = ReadDbcLayout(dbcFile, dbcPath);
    // The string block is read only once a layout of the file's size is to be judged.
    std::optional<StringBlockProbe> probe;
    DbdLayoutRequest request{
        tableName + ".dbc", layout.Header.FieldCount, layout.Header.RecordSize, settings.Build, {}};
    if (judgeTexts) {
        request.TextFit = [&](const std::vector<DbdField>& fields) {
            if (!probe) {
                probe.emplace(dbcFile, layout);
            }
            return LayoutTextFit(*probe, layout, fields, dbcPath, *path);
        };
    }
    DbdTableDefinitions definitions;
    definitions.Choice = ChooseDbdLayout(file, request);
    definitions.Path = std::move(*path);
    const std::vector<DbdField>& fields = definitions.Choice.Fields;
    for (size_t i = 0; i < fields.size(); ++i) {
        definitions.Defs.push_back(FieldDefOf(fields[i], static_cast<int>(i)));
        definitions.Help.push_back({fields[i].Comment, fields[i].ForeignKey, fields[i].IsKey});
    }
    return definitions;
}

}  // namespace kelvane
