#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/CellTextMatcher.h"

namespace kelvane {

class RecordTable;

// What one column's filter field asks of the records: a text column's cells contain the text
// (case-insensitive); a number column's cells compare with a number ("5", "=5", "!=5", ">5",
// ">=5", "<5", "<=5") or lie in a range ("5..10", both ends included), written in hexadecimal
// for hexadecimal columns. Blank cells match no number test.
class ColumnFilter {
  public:
    // Fails with a message naming the column and the forms it takes when the text is none of
    // them. The text must not be empty.
    ColumnFilter(const RecordTable& table, int column, std::string_view text);

    int Column() const { return column_; }
    const std::string& Text() const { return text_; }
    // Keeps the stored records (table rows) that pass; the table must be browsing.
    void Keep(const RecordTable& table, std::vector<int>& rows) const;

  private:
    enum class Test { Equal, NotEqual, Less, LessOrEqual, Greater, GreaterOrEqual, Between };

    void ParseNumberTest(const RecordTable& table, std::string_view text);
    double ParseNumber(const RecordTable& table, std::string_view text) const;
    // keyOf gives a row's value as compared: hexadecimal columns show the bits unsigned, and
    // float cells are held to the precision the file stores.
    template <typename KeyOf>
    void KeepNumbers(std::vector<int>& rows, const KeyOf& keyOf) const;

    int column_;
    std::string text_;
    bool isText_ = false;
    bool hex_ = false;
    CellTextMatcher contains_;
    Test test_ = Test::Equal;
    double low_ = 0;
    double high_ = 0;
};

}  // namespace kelvane
