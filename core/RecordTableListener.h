#pragma once

namespace kelvane {

// What a view of a RecordTable is told. Rows are view rows: the table's records in order, plus
// the record being inserted, shown at its place until it is posted or cancelled. While the
// table is suspended (DisableControls) nothing is reported one by one; when the suspension ends
// one TableReset stands for the whole batch.
class RecordTableListener {
  public:
    virtual ~RecordTableListener() = default;

    virtual void CellChanged(int row, int column) = 0;
    virtual void RowsInserted(int firstRow, int count) = 0;
    virtual void RowsRemoved(int firstRow, int count) = 0;
    // Columns, records or both changed beyond description: read everything again.
    virtual void TableReset() = 0;
    virtual void CurrentRowChanged(int row) = 0;
};

}  // namespace kelvane
