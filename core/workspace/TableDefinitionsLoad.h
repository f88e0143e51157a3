#pragma once

#include <string>

#include "core/dbc/DbcFormat.h"
#include "core/definitions/TableDefinitions.h"
#include "core/files/ByteSource.h"
#include "core/table/FieldDef.h"

namespace kelvane {

struct Workspace;

// The definitions a file is loaded with, as LoadDbcFile reports them.
struct LoadedDefinitions {
    TableDefinitions Used;
    // The definition file read ("" for none) and how many fields it describes.
    std::string Path;
    int DescribedFields = 0;
    // What the user should know about definitions that do not fit the file, or "".
    std::string Note;
};

// Fills definitions 0 to the field count - 1 for the DBC file at path (its bytes in file), which
// is the workspace's current table. The TABLE.ini beside it always wins; without one, the
// table's .dbd file in the definitions folder gives its fitting layout; a .dbd layout that does
// not fit the file's size or texts is never applied, and the fields are integers named by
// number, as with no definitions at all.
// judgeTexts: whether the .dbd layouts of the file's size are judged by the file's texts too
// (see ReadDbdDefinitions); a caller that decodes every cell may take the first of them and
// judge it by what its load finds, asking again with judgeTexts only when that misfits.
LoadedDefinitions LoadTableDefinitions(const Workspace& workspace, ByteSource& file,
                                       const std::string& path, FieldDefList& defs,
                                       bool judgeTexts);

// Which definitions a table loaded with the field-definition file at iniPath used: that file
// when it exists, else none.
TableDefinitions IniDefinitions(const std::string& iniPath);

}  // namespace kelvane
