#pragma once

#include <string>
#include <vector>

#include "core/dbc/CellLayout.h"
#include "core/table/FieldDef.h"
#include "core/table/FieldKind.h"

namespace kelvane {

class RecordTable;

// What the data of a table without definitions suggests about the kind of each field.
struct FieldKindGuess {
    std::vector<FieldKind> Kinds;  // entry i for field i (column i + 1)
    int TextColumns = 0;
    int FloatColumns = 0;
    // The cells the guess read, so definitions made from it keep narrow cells narrow.
    CellLayout Cells;
};

// Guesses from a table whose fields all loaded as integers (no definitions applied) and the
// cell layout of its file: a field is a text when every non-zero value is the start of a text
// in the string block (and the block holds texts), a float when its non-zero values are
// plausible floats (finite, 1e-6 <= |v| <= 1e9, which no integer below about 898 million
// is; -0 counts for nothing), otherwise an integer. Cells narrower than 4 bytes
// are integers, and so are columns of zeros. A column whose only non-zero value is 1 reads as
// a flag, not a text: 1 is where the first text of every block starts.
FieldKindGuess GuessFieldKinds(const RecordTable& integerTable, const CellLayout& cells);

// Definitions for every field of the guess, as a field-definition file holds them: named by
// number as fields without definitions are, of the guessed kind, and with the sizes of the
// guess's cells when some cell is narrower than 4 bytes.
std::vector<FieldDef> GuessedFieldDefs(const FieldKindGuess& guess);

}  // namespace kelvane
