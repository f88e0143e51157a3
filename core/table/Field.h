#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/table/FieldKind.h"

namespace kelvane {

class RecordTable;

// A column of the current record. Assignments need the table in Edit or Insert state and
// convert between kinds as the importers rely on: an integer column given a float takes it
// rounded (halves to even); a string column given a number stores its text.
class Field {
  public:
    Field(RecordTable& table, int column) : table_(&table), column_(column) {}

    int Column() const { return column_; }
    const std::string& Name() const;
    FieldKind Kind() const;

    bool IsNull() const;
    int32_t AsInteger() const;
    double AsFloat() const;
    std::string AsString() const;
    // The grid's text: hexadecimal for columns with the hex hooks.
    std::string DisplayText() const;

    void SetAsInteger(int32_t value);
    void SetAsFloat(double value);
    void SetAsString(std::string_view text);
    // What a user typed into the grid: read as hexadecimal for columns with the hex hooks.
    void SetDisplayText(std::string_view text);
    void Clear();

  private:
    const std::string& Caption() const;
    RecordTable* table_;
    int column_;
};

}  // namespace kelvane
