#pragma once

#include <string>

#include "core/table/FieldDef.h"

namespace kelvane {

struct CurrentTable;
class IniFile;
class RecordTable;

// The field-definition file of the current table: TableName + ".ini" in the folder of its
// FilePath, or in the current folder when FilePath names no folder; none ("") for a table that
// has no file yet.
std::string FieldDefFilePath(const CurrentTable& current);

// Field n by the reading rules (defaults for missing keys; Hex only for "ftInteger"; a kind
// other than "ftInteger", "ftFloat" or "ftString" and a size other than 8, 16 or 32 fail).
FieldDef ReadFieldDef(const IniFile& ini, int n);

// How many fields the file describes: the most keys any of its field sections holds (0 for a
// missing file).
int DescribedFieldCount(const IniFile& ini);

// Fails with a KelvaneError when a line of the file cannot keep the definition's name or kind
// text as it is: when either holds a control character (a line break would start a key line of
// its own, and reading trims control characters from a value's ends).
void RequireStorableFieldDef(const FieldDef& def);

// Entries 0 to count - 1 from the current table's file, then MakeFieldNamesUnique. Returns how
// many fields the file describes. Fails with a KelvaneError naming the file and the field when
// a field's kind or size cannot be used.
int LoadFieldDefinitions(const CurrentTable& current, FieldDefList& defs, int count);

// Writes the definitions of the table's columns except Index. A definition the file cannot keep
// (RequireStorableFieldDef) fails with a message naming the file, and nothing is written.
void SaveTableFieldDefinitions(const CurrentTable& current, const FieldDefList& defs,
                               const RecordTable& table);

// Writes definitions 0 to count - 1 whatever the table holds.
void SaveFieldDefinitions(const CurrentTable& current, const FieldDefList& defs, int count);

// Reads the file at path: count = keys in "[Field kind]", fields 0 to count - 1, then
// MakeFieldNamesUnique. A missing file or section gives 0.
int ImportFieldDefFile(const std::string& path, FieldDefList& defs);

}  // namespace kelvane
