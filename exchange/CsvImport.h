#pragma once

#include <cstdint>
#include <string>

#include "core/files/ByteSource.h"
#include "exchange/ImportRows.h"

namespace kelvane {

class RecordTable;

// What importing a comma-separated file did.
struct CsvImportReport {
    int RowsRead = 0;  // records of the file, the header line not counted
    ImportMergeReport Merge;
    // Texts that were not UTF-8 in a file without a byte order mark, read as Windows-1252 and
    // converted (see CsvReader): how many, and where the first stood ("line 4, column Name").
    int64_t ConvertedTexts = 0;
    std::string FirstConverted;
};

// Reads a comma-separated file into the table as one undo step named "Import CSV": each record
// of the file changes the record of the table that match finds for it, by its key (the first
// column after Index) or by its position, or is added when there is none (see
// MergeImportRows, which also says when a key is refused).
//
// With header, the first line names the columns the items go to, in any order and whatever
// their case (a column's name or its caption); every name must be a column after Index, none
// twice, the key among them. Without, items go to the columns after Index in order; the first
// record decides how many, the columns after them are left as they are.
//
// Texts are read as CsvReader reads them: after a byte order mark byte for byte, without one
// each text that is not UTF-8 as Windows-1252.
//
// Every record must have as many items as the first line. Records are read and checked to the
// end before the table changes: a bad file, or a value a column cannot hold, fails with a
// KelvaneError naming the file, the line where the record starts and the column, and the table
// stays as it was. Running out of memory fails with a KelvaneError naming the file.
//
// progress hears of the bytes read, then of the records written (see MergeImportRows); it may
// stop the import at any point, which leaves the table as it was.
CsvImportReport ImportCsvFile(RecordTable& table, const std::string& path, bool header,
                              ImportMatch match, const WorkProgress& progress = {});

// The same for bytes from any source; fileName names them in messages.
CsvImportReport ImportCsv(RecordTable& table, ByteSource& source, const std::string& fileName,
                          bool header, ImportMatch match, const WorkProgress& progress = {});

}  // namespace kelvane
