#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

namespace kelvane {

class RecordTable;
class TextLineWriter;

// The text of one cell as every text writer writes it: integers in signed decimal whatever
// their hex flag, floats in general format with the user's decimal separator, strings as
// stored, blanks empty. row is a view row of the table; -1 (no current record) reads blank.
std::string CellText(const RecordTable& table, int row, int column);

// The texts joined by ",": a text holding a blank, a control character, a double quote or a
// comma is quoted with its double quotes doubled; a list of one empty text is written "".
std::string CommaLine(std::span<const std::string> texts);

// The column names after Index as a comma-separated line, the header of a CSV export.
std::string HeaderLine(const RecordTable& table);

// The comma-separated line of a record: every column after Index. row -1 gives empty items.
std::string ExportLine(const RecordTable& table, int row);

// The export lines of every record in table order, a record being edited finished
// first (posted when changed, else cancelled); the current record stays current.
std::vector<std::string> ExportAllLines(RecordTable& table);

// ExportAllLines straight into a file, each line as it is made, so a big table's text is never
// held whole; the caller commits the file.
void WriteAllLines(RecordTable& table, TextLineWriter& file);

}  // namespace kelvane
