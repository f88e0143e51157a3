#pragma once

#include <string>
#include <vector>

#include "core/base/DecimalSeparator.h"
#include "core/table/Field.h"
#include "core/table/RecordTable.h"

namespace kelvane::testing {

struct ColumnSpec {
    std::string Name;
    FieldKind Kind = FieldKind::ftInteger;
};

// An open table of Index and the given field columns, without records.
inline void BuildTable(RecordTable& table, const std::vector<ColumnSpec>& fields) {
    table.ClearFieldDefs();
    table.AddFieldDef("Index", FieldKind::ftInteger, true);
    for (const ColumnSpec& field : fields) {
        table.AddFieldDef(field.Name, field.Kind, false);
    }
    table.OpenEmpty();
}

// Appends a posted record whose field columns, in order, take the texts through AsString (an
// empty text blanks a number column).
inline void AddRecord(RecordTable& table, const std::vector<std::string>& fieldTexts) {
    table.Append();
    for (size_t i = 0; i < fieldTexts.size(); ++i) {
        table.Fields(static_cast<int>(i) + 1).SetAsString(fieldTexts[i]);
    }
    table.Post();
}

// A table of Index, an integer key, a string and a float column with count records whose
// storage is out of table order (records deleted and added, one moved by its Index) and with
// a blank cell in every column, for checking passes over whole tables.
inline void BuildShuffledTable(RecordTable& table, int count) {
    BuildTable(table, {{"Id"}, {"Name", FieldKind::ftString}, {"Speed", FieldKind::ftFloat}});
    for (int i = 0; i < count; ++i) {
        AddRecord(table, {std::to_string(1000 + i), i % 7 == 0 ? "a, b" : "n" + std::to_string(i),
                          std::to_string(i % 5) + ".5"});
    }
    for (int row = 1; row < count / 2; row += 3) {
        table.MoveTo(row);
        table.Delete();
        AddRecord(table, {std::to_string(5000 + row), "", ""});  // blanks the float
    }
    table.MoveTo(2);
    table.Edit();
    table.Fields(0).SetAsInteger(count / 2);  // moves the record into the middle
    table.Fields(1).Clear();
    table.Post();
}

// Every cell of a view row, Index first, as the table's own text.
inline std::vector<std::string> RowTexts(const RecordTable& table, int row) {
    std::vector<std::string> texts;
    for (int column = 0; column < table.FieldCount(); ++column) {
        texts.push_back(table.CellText(row, column));
    }
    return texts;
}

// Every record in table order, each as RowTexts.
inline std::vector<std::vector<std::string>> TableTexts(const RecordTable& table) {
    std::vector<std::vector<std::string>> rows;
    for (int row = 0; row < table.RowCount(); ++row) {
        rows.push_back(RowTexts(table, row));
    }
    return rows;
}

// Sets the decimal separator for a scope and puts the previous one back.
class DecimalSeparatorScope {
  public:
    explicit DecimalSeparatorScope(char separator) : saved_(DecimalSeparator()) {
        SetDecimalSeparator(separator);
    }
    ~DecimalSeparatorScope() { SetDecimalSeparator(saved_); }
    DecimalSeparatorScope(const DecimalSeparatorScope&) = delete;
    DecimalSeparatorScope& operator=(const DecimalSeparatorScope&) = delete;

  private:
    char saved_;
};

}  // namespace kelvane::testing
