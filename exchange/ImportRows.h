#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/WorkProgress.h"
#include "core/table/FieldKind.h"

namespace kelvane {

class RecordTable;

// Where import rows come from, as messages name a row of it: Name, Joint, RowWord and the
// row's number, "in.csv line 3" or "spells.db, table 'Spell', rowid 3".
struct ImportSource {
    std::string Name;             // "in.csv", "spells.db, table 'Spell'"
    std::string Joint = " ";      // between Name and RowWord
    std::string RowWord = "row";  // what numbers a row: "line", "rowid", "row"
};

// Records read from an outside source (a comma-separated file, a database table), held apart
// from the open table until the source has been read to its end, each cell already in the kind
// of the table column it goes to. A value that a column cannot hold thus stops an import before
// the table changes at all. Cells are kept column by column in their kinds, so a source of a
// hundred thousand records costs about as much memory as the table it goes into.
class ImportRows {
  public:
    // columns: the table columns (Index = 0) the source's columns go to, in the source's order.
    // They must be distinct, must not include Index, and must include the key column (1): a
    // KelvaneError says so otherwise, naming the key column.
    ImportRows(const RecordTable& table, std::vector<int> columns, ImportSource source);

    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    int TableColumn(int position) const { return columns_[static_cast<size_t>(position)].Table; }
    FieldKind Kind(int position) const { return columns_[static_cast<size_t>(position)].Kind; }
    int RowCount() const { return rowCount_; }
    const ImportSource& Source() const { return source_; }
    // The number that names the row in its source (a line, a rowid).
    int64_t Place(int row) const { return places_[Row(row)]; }

    // Room for this many rows, for a source that knows its size: the columns then grow once.
    void Reserve(int rows);
    // Starts the next row, which its source numbers place (a line, a rowid) or, without it, by
    // its count from 1; every cell of it starts blank.
    void AddRow(int64_t place);
    void AddRow() { AddRow(rowCount_ + 1); }

    // Set a cell of the last row; position counts the source's columns from 0. A value the
    // column cannot hold fails with a KelvaneError giving the table's own reason ("'x' is not
    // a valid integer value for field 'Name'"); the caller adds where it was.
    //
    // An integer: integer columns take -2^31 to 2^32 - 1 (unsigned values past 2^31 - 1 keep
    // their 32-bit pattern); float columns take it as a number; string columns as decimal text.
    void SetInteger(int position, int64_t value) {
        // Integers into integer columns are the bulk of most tables.
        Column& column = columns_[static_cast<size_t>(position)];
        if (rowCount_ > 0 && column.Kind == FieldKind::ftInteger && value >= kLowestInteger &&
            value <= kHighestInteger) {
            const size_t row = Row(rowCount_ - 1);
            column.Integers[row] = static_cast<int32_t>(static_cast<uint32_t>(value));
            column.Set[row] = true;
            return;
        }
        SetOtherInteger(position, value);
    }
    // A float: float columns take it; integer columns only a whole number in their range;
    // string columns its text as the exports write it.
    void SetFloat(int position, double value);
    // Text as the exports, spreadsheets and databases write it, read as the column's kind reads
    // typed text: integers in decimal or hexadecimal, also unsigned 32-bit values and whole
    // numbers with decimals ("5.00"); floats with the user's decimal separator (or "."), a text
    // that the nearest 32-bit float writes the same way taking that float, so that an export
    // reads back bit for bit; strings as they are, of any length. An empty text
    // leaves a number cell blank and is an empty string cell.
    void SetText(int position, std::string_view text);

    // The cells, read as often as an import compares and writes them.
    bool IsBlank(int row, int position) const { return !Cells(position).Set[Row(row)]; }
    int32_t IntegerAt(int row, int position) const { return Cells(position).Integers[Row(row)]; }
    double FloatAt(int row, int position) const { return Cells(position).Floats[Row(row)]; }
    std::string_view TextAt(int row, int position) const {
        const Column& column = Cells(position);
        return std::string_view(column.Texts)
            .substr(static_cast<size_t>(column.TextStarts[Row(row)]), column.TextSizes[Row(row)]);
    }

  private:
    // Only the arrays of the column's kind are used. They are sized for capacity_ rows at a
    // time, so a row costs no allocation; the cells of rows not yet set read 0, blank.
    struct Column {
        int Table = 0;
        FieldKind Kind = FieldKind::ftInteger;
        std::string Name;  // the column's caption, for messages
        std::vector<int32_t> Integers;
        std::vector<double> Floats;
        std::vector<uint64_t> TextStarts;  // where each row's text begins in Texts
        std::vector<uint32_t> TextSizes;
        std::string Texts;      // a text set twice leaves its first value unused here
        std::vector<bool> Set;  // false: the cell is blank
    };

    const Column& Cells(int position) const { return columns_[static_cast<size_t>(position)]; }
    static size_t Row(int row) { return static_cast<size_t>(row); }
    // An integer cell holds any 32-bit pattern: signed values, and unsigned ones as databases
    // and spreadsheets write them.
    static constexpr int64_t kLowestInteger = std::numeric_limits<int32_t>::min();
    static constexpr int64_t kHighestInteger = std::numeric_limits<uint32_t>::max();

    void SetOtherInteger(int position, int64_t value);
    // The column whose cell of the last row is to be set.
    Column& LastRowCell(int position);
    void GrowTo(int rows);
    static void PutText(Column& column, size_t row, std::string_view text);

    std::vector<Column> columns_;
    ImportSource source_;
    std::vector<int64_t> places_;
    int rowCount_ = 0;
    int capacity_ = 0;
};

// What writing import rows into a table did.
struct ImportMergeReport {
    int RecordsChanged = 0;  // existing records of which some cell got another value
    int RecordsAdded = 0;
    int RecordsUnchanged = 0;  // existing records that already held every value
};

// How import rows find the records they change.
enum class ImportMatch {
    // A row changes the record whose key column holds its key, or adds one when none does.
    ByKey,
    // Row N of the source changes record N in table order (both counted from 1), the key column
    // an ordinary one; rows past the last record are added. Our own exports write the records
    // in table order, so this brings back a table whose keys repeat.
    ByPosition,
};

// Writes the rows into the table as one undo step named stepName, matched to the records as
// match says. A row changes only the cells of its columns that differ; an added record gets the
// row's cells and new-record defaults for the rest. A record being edited is finished first.
// The current record afterwards is the last one written.
//
// Before the table changes, every row must have a key: a blank one fails with a KelvaneError
// naming the row and the key column. By key, a key must also stand on one row of the source
// and on at most one record of the table, as either match would be a guess; a
// RepeatedImportKeyError names the key, its rows and its records.
//
// The rows are written as one batch (see RunAsOneBatch); progress hears of every row and may
// stop the import, which then leaves the table as it was.
ImportMergeReport MergeImportRows(RecordTable& table, const ImportRows& rows,
                                  std::string_view stepName, ImportMatch match,
                                  const WorkProgress& progress = {});

}  // namespace kelvane
