#pragma once

namespace kelvane {

class RecordTable;
class FieldDefList;

// Captions: name + "(hex)" for hexadecimal integer columns, name + "(float)" (left-aligned)
// for float columns, the plain name otherwise.
void ApplyColumnCaptions(RecordTable& table, const FieldDefList& defs);

// Hexadecimal hooks and allowed characters per column, the first record current, string
// columns 150 pixels wide.
void SetupGridColumns(RecordTable& table, const FieldDefList& defs);

// Makes the names of entries 0 to last distinct by appending " c" + the entry number.
void MakeFieldNamesUnique(FieldDefList& defs, int last);

}  // namespace kelvane
