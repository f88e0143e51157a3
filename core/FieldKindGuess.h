#pragma once

#include <string>
#include <vector>

#include "core/FieldKind.h"

namespace kelvane {

class CellLayout;
class RecordTable;

// What the data of a table without definitions suggests about the kind of each field.
struct FieldKindGuess {
    std::vector<FieldKind> Kinds;  // entry i for field i (column i + 1)
    int TextColumns = 0;
    int FloatColumns = 0;
};

// Guesses from a table whose fields all loaded as integers (no definitions applied) and the
// cell layout of its file: a field is a text when every non-zero value is the start of a text
// in the string block (and the block holds texts), a float when its non-zero values are
// plausible floats and not small integers, otherwise an integer. Cells narrower than 4 bytes
// are integers.
FieldKindGuess GuessFieldKinds(const RecordTable& integerTable, const CellLayout& cells);

// Reads the DBC file at path on its own, with no definitions, and guesses. Fails with a
// KelvaneError naming the file when it cannot be read.
FieldKindGuess GuessFieldKindsOfFile(const std::string& path);

}  // namespace kelvane
