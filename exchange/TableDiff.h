#pragma once

#include <string>
#include <vector>

namespace kelvane {

class RecordTable;

// A record on both sides whose saved cells differ: its view rows and the table columns that
// differ, in ascending order (the key column among them only when its text is the same but its
// saved value is not, as 0 and -0 are).
struct ChangedRecord {
    int OldRow = 0;
    int NewRow = 0;
    std::vector<int> Columns;
};

// What turns one state of a table into another, records matched by key (the first column
// after Index, compared as the text a patch line addresses it by). Cells compare as a save
// writes them, so two tables without differences save the same records; Index and the order of
// the records are not compared.
struct TableDiff {
    std::vector<ChangedRecord> Changed;  // in the newer table's order
    std::vector<int> AddedRows;          // rows of the newer table, in its order
    std::vector<int> RemovedRows;        // rows of the older table, in its order
    int Unchanged = 0;
};

// Compares two browsing tables; the names say which is which in messages. Refuses, saying what
// differs, tables whose columns differ in number, name or kind, and names the key and the
// table when a table holds a key on more than one record. Linear in the number of records.
TableDiff CompareTables(const RecordTable& oldTable, const std::string& oldName,
                        const RecordTable& newTable, const std::string& newName);

// "3 added, 5 changed, 1 removed, 120 unchanged records".
std::string DiffCountsText(const TableDiff& diff);

}  // namespace kelvane
