#pragma once

#include <string>
#include <vector>

#include "core/base/ValueText.h"
#include "core/table/RecordTable.h"
#include "core/table/RecordTableListener.h"

namespace kelvane::testing {

// Listens to a table for its lifetime and writes down what it hears, one line per
// notification. On each it also checks that the table stands as the notification says (rows
// announced are still as they were, rows reported have changed, a changed record is at its
// row and no longer holds its values before, the cursor is where it is said to be) and notes
// every disagreement in Faults.
class TableChangeLog : public RecordTableListener {
  public:
    std::vector<std::string> Heard;
    std::vector<std::string> Faults;

    explicit TableChangeLog(RecordTable& table)
        : table_(table),
          rows_(table.RowCount()),
          cursorRow_(table.CurrentRow()),
          cursorState_(table.State()) {
        table_.AddListener(this);
    }
    ~TableChangeLog() override { table_.RemoveListener(this); }
    TableChangeLog(const TableChangeLog&) = delete;
    TableChangeLog& operator=(const TableChangeLog&) = delete;

    void CellsChanged(const CellsChange& change) override {
        std::string line = KindName(change.What) + " " + std::to_string(change.Row);
        for (const CellsChange::Cell& cell : change.Cells) {
            line += (&cell == &change.Cells.front() ? " [" : ", ") +
                    table_.ColumnName(cell.Column) + " was " + ValueText(cell.Column, cell.Before);
            Check(!(ValueAt(change.Row, cell.Column) == cell.Before), "an unchanged cell");
        }
        Heard.push_back(line + (change.Cells.empty() ? "" : "]"));
        Check(change.Record.IsValid() && table_.RecordIdAt(change.Row) == change.Record,
              "another record at the row");
    }
    void RowsAboutToBeInserted(int firstRow, int count) override {
        Heard.push_back("inserting " + Rows(firstRow, count));
        Check(firstRow <= rows_ && table_.RowCount() == rows_, "rows inserted early");
    }
    void RowsInserted(int firstRow, int count) override {
        Heard.push_back("inserted " + Rows(firstRow, count));
        rows_ += count;
        Check(table_.RowCount() == rows_, "rows not inserted");
    }
    void RowsAboutToBeRemoved(int firstRow, int count) override {
        Heard.push_back("removing " + Rows(firstRow, count));
        Check(firstRow + count <= rows_ && table_.RowCount() == rows_, "rows removed early");
    }
    void RowsRemoved(int firstRow, int count) override {
        Heard.push_back("removed " + Rows(firstRow, count));
        rows_ -= count;
        Check(table_.RowCount() == rows_, "rows not removed");
    }
    void RowAboutToBeMoved(int fromRow, int toRow) override {
        Heard.push_back("moving " + std::to_string(fromRow) + ">" + std::to_string(toRow));
        movingRecord_ = table_.RecordIdAt(fromRow);
        Check(fromRow != toRow && toRow < rows_, "a move to nowhere");
    }
    void RowMoved(int fromRow, int toRow) override {
        Heard.push_back("moved " + std::to_string(fromRow) + ">" + std::to_string(toRow));
        Check(table_.RecordIdAt(toRow) == movingRecord_, "the moved record is not at its row");
    }
    void CursorChanged(const CursorChange& change) override {
        Heard.push_back("cursor " + Cursor(change.PreviousRow, change.PreviousState) + " > " +
                        Cursor(change.Row, change.State));
        Check(change.PreviousRow == cursorRow_ && change.PreviousState == cursorState_,
              "the cursor was not where it was said to be");
        Check(change.Row == table_.CurrentRow() && change.State == table_.State(),
              "the cursor is not where it is said to be");
        cursorRow_ = change.Row;
        cursorState_ = change.State;
    }
    void TableAboutToBeReset() override {
        Heard.push_back("resetting");
        Check(!resetting_, "a reset announced twice");
        resetting_ = true;
    }
    void TableReset() override {
        Heard.push_back("reset");
        Check(resetting_, "a reset not announced");
        resetting_ = false;
        rows_ = table_.RowCount();
        cursorRow_ = table_.CurrentRow();
        cursorState_ = table_.State();
    }

  private:
    static std::string KindName(CellsChange::Kind kind) {
        switch (kind) {
            case CellsChange::Kind::Typed:
                return "typed";
            case CellsChange::Kind::Reverted:
                return "reverted";
            case CellsChange::Kind::Stored:
                return "stored";
            case CellsChange::Kind::Added:
                break;
        }
        return "added";
    }
    static std::string Rows(int firstRow, int count) {
        return std::to_string(firstRow) + "+" + std::to_string(count);
    }
    static std::string Cursor(int row, TableState state) {
        const char* names[] = {"browse", "edit", "insert"};
        return std::to_string(row) + " " + names[static_cast<int>(state)];
    }

    std::string ValueText(int column, const CellValue& value) const {
        if (value.IsBlank()) {
            return "blank";
        }
        switch (table_.ColumnKind(column)) {
            case FieldKind::ftString:
                return "'" + std::string(value.Text()) + "'";
            case FieldKind::ftFloat:
                return FloatText(value.Float());
            case FieldKind::ftInteger:
                break;
        }
        return IntegerText(value.Integer());
    }
    CellValue ValueAt(int row, int column) const {
        if (table_.IsBlank(row, column)) {
            return {};
        }
        switch (table_.ColumnKind(column)) {
            case FieldKind::ftString:
                return CellValue(std::string(table_.StringAt(row, column)));
            case FieldKind::ftFloat:
                return CellValue(table_.FloatAt(row, column));
            case FieldKind::ftInteger:
                break;
        }
        return CellValue(table_.IntegerAt(row, column));
    }
    void Check(bool holds, const std::string& fault) {
        if (!holds) {
            Faults.push_back(fault + " at '" + Heard.back() + "'");
        }
    }

    RecordTable& table_;
    int rows_;
    int cursorRow_;
    TableState cursorState_;
    RecordId movingRecord_;
    bool resetting_ = false;
};

}  // namespace kelvane::testing
