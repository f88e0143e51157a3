#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
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

// A CSV export starts with the UTF-8 byte order mark when some text it writes is not
// well-formed UTF-8: CsvReader then keeps every item's bytes as they are, where it would take
// such a text for Windows-1252. An export of UTF-8 texts alone goes without it, as it always
// has, for the programs that would show the mark as text.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Puts the byte order mark before the first line when some line is not UTF-8.
void MarkNonUtf8Lines(std::vector<std::string>& lines);

// A CSV export into the file: with header the column names first, then the record at the view
// row, or without a row every record as ExportAllLines, each line written as it is made so that
// a big table's text is never held whole; the byte order mark first when it is needed. The
// caller commits the file.
void WriteCsvExport(RecordTable& table, TextLineWriter& file, bool header,
                    std::optional<int> row = std::nullopt);

}  // namespace kelvane
