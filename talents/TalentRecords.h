#pragma once

#include <functional>
#include <string>

namespace kelvane {

class RecordTable;
class WorkingTable;

// The talent editor's passes over the current table. Each runs with the grid's redrawing
// suspended.

// Runs visit on every record from the first to the last, each in turn the current record.
void ScanRecords(RecordTable& table, const std::function<void()>& visit);

// Appends the current record to the rows, columns 1 to the last as text.
void CopyCurrentRecord(RecordTable& table, WorkingTable& rows);

// Writes each row back: every record whose column 1 text equals the row's column 1 takes the
// row's cells in columns 1 to the last; when none does and the row's requiredColumn is not
// empty, the row becomes a new record after the last one.
void WriteRowsBack(RecordTable& table, const WorkingTable& rows, int requiredColumn);

// Deletes every record whose column 1 text equals the key.
void DeleteRecordsWithId(RecordTable& table, const std::string& key);

}  // namespace kelvane
