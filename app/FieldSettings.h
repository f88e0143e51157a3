#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

class FieldDefList;
struct FieldDef;
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

// Takes the edited rows over as the definitions of fields 0 to n - 1 and writes them to the
// table's field-definition file, with the main grid suspended; then the n rows are the
// confirmed field count. No rows (no table open) write nothing. progress(r) is called before row r
// (from 1) is taken.
//
// A row that fails stops the taking over: the earlier rows stay taken and written, the file is
// written once more and the failure goes on to the caller. The confirmed field count is set
// and the grid resumed all the same, so the reload that follows a confirmed dialog still sees
// the rows the user confirmed.
void TakeOverFieldSettings(Workspace& work, const std::vector<FieldSettingsRow>& rows,
                           const std::function<void(int row)>& progress);

}  // namespace kelvane
