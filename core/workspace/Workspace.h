#pragma once

#include <optional>

#include "core/dbc/CellLayout.h"
#include "core/definitions/DefinitionSettings.h"
#include "core/definitions/TableDefinitions.h"
#include "core/files/CurrentTable.h"
#include "core/files/FileSnapshot.h"
#include "core/table/FieldDef.h"
#include "core/table/RecordTable.h"

namespace kelvane {

// The open table with everything that describes it: the program holds one for the whole run,
// tests make their own.
struct Workspace {
    RecordTable Table;
    FieldDefList Defs;
    CurrentTable Current;
    // The cell layout of the file loaded last (or the one a new table's definitions give), so
    // saving keeps that layout while the number of columns still matches it.
    CellLayout FileLayout;
    // The file the table was loaded from or last saved to, as it was then, so that a save over
    // it can tell whether another program changed it in between.
    std::optional<FileSnapshot> LoadedFile;
    // Where .dbd definition files are looked for and the client build they are chosen for.
    DefinitionSettings Settings;
    // Which definitions the table was loaded with.
    TableDefinitions Definitions;
    // Only some columns of the file were loaded (see LoadDbcFile), so saving would lose the rest.
    bool SomeColumnsOnly = false;
};

}  // namespace kelvane
