#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/definitions/DbdLayoutChoice.h"
#include "core/definitions/DefinitionSettings.h"
#include "core/definitions/TableDefinitions.h"
#include "core/files/ByteSource.h"
#include "core/table/FieldDef.h"

namespace kelvane {

// The .dbd file for a table in the definitions folder: TableName + ".dbd" in any letter case.
// nullopt when no folder is set or no such file is there.
std::optional<std::string> FindDbdFile(const DefinitionSettings& settings,
                                       const std::string& tableName);

// The definitions a table's .dbd layout gives a file with this many fields and bytes per
// record.
struct DbdTableDefinitions {
    std::string Path;        // the .dbd file read
    DbdLayoutChoice Choice;  // NoFit: Defs is empty and Choice.Message says why
    std::vector<FieldDef> Defs;
    std::vector<ColumnHelp> Help;
};

// Reads the table's .dbd file (only now: the folder is not scanned beforehand) and chooses the
// layout that fits the DBC file dbcFile (named dbcPath in messages): its size, and its texts
// where the layout reads strings; without judgeTexts by size alone, for a caller that judges the
// texts of the layout it gets itself. nullopt when there is no .dbd file
// for the table; a malformed one throws KelvaneError naming the file and line.
std::optional<DbdTableDefinitions> ReadDbdDefinitions(const DefinitionSettings& settings,
                                                      const std::string& tableName,
                                                      ByteSource& dbcFile,
                                                      const std::string& dbcPath,
                                                      bool judgeTexts = true);

}  // namespace kelvane
