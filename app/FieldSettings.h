#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/table/FieldDef.h"

namespace kelvane {

class RecordTable;
struct Workspace;

// One field as the field settings grid shows and edits it: five texts.
struct FieldSettingsRow {
    std::string Index;
    std::string Name;
    std::string Kind;
    std::string Hex;   // "True" or "False" when filled
    std::string Bits;  // "8", "16", "32", or "auto" where the record size decides
};

// The Bits text of a field that is given no size of its own.
inline constexpr char AutoFieldSizeText[] = "auto";

// The row of one definition.
FieldSettingsRow FieldSettingsRowOf(const FieldDef& def);

// The rows of the table's fields 0 to n - 1 (every column but Index) from the definitions;
// none for a closed table.
std::vector<FieldSettingsRow> FieldSettingsRows(const RecordTable& table, const FieldDefList& defs);

// "True" or "False" in any letter case, or a number: 0 is false, any other number true.
// Fails with "'%s' is not a valid boolean value".
bool ReadBooleanCell(std::string_view text);

// The size in bits of a Bits cell: 8, 16 or 32, or 0 for "auto" or an empty cell. Fails with
// a message for anything else.
int ReadFieldSizeCell(std::string_view text);

// The definitions of fields 0 to n - 1 the edited rows give, every row read before any is
// taken: a row that cannot be used fails with a message naming its field. progress(r) is called
// before row r (from 1) is read.
std::vector<FieldDef> FieldDefsOfRows(const std::vector<FieldSettingsRow>& rows,
                                      const std::function<void(int row)>& progress);

// Takes the definitions over as those of fields 0 to n - 1, with the main grid suspended;
// then n is the confirmed field count. A table with a file has them written to its
// field-definition file first, and a file that cannot be written fails leaving everything as
// it was; a table never saved gets the file when it is saved. None (no table open) write
// nothing: an empty file would lose the definitions of the file the last table came from.
void TakeOverFieldDefs(Workspace& work, const std::vector<FieldDef>& defs);

}  // namespace kelvane
