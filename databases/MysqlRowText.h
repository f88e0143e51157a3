#pragma once

#include <string>
#include <vector>

#include "databases/MysqlColumnTypes.h"
#include "databases/SqlTableShape.h"
#include "exchange/FloatTextCache.h"

namespace kelvane {

class RecordTable;

// The VALUES text of records, "(1,'Fire',NULL,1.5)", each value written as the comma-separated
// export writes it (floats with "." whatever the user's separator) so that it reads back the
// same; -0 alone is written 0, which is what MySQL keeps of it. The table must not change while
// the object lives.
class MysqlRowText {
  public:
    // target names the dump in messages.
    MysqlRowText(const RecordTable& table, const SqlTableShape& shape,
                 const std::vector<MysqlColumn>& columns, std::string target);

    // Replaces row's text with the record's. Fails with a KelvaneError naming the record and
    // column for a value its column cannot hold: NAN or INF, which MySQL has no value for, and
    // a narrow cell's value beyond its cell, which the file could not hold either.
    void Build(int row, std::string& text);
    // Float cells of -0 written so far, as 0: MySQL stores no -0.
    int MinusZeros() const { return minusZeros_; }

  private:
    void AppendInteger(std::string& text, int row, const SqlColumn& column);
    void AppendFloat(std::string& text, int row, const SqlColumn& column);
    [[noreturn]] void Fail(int row, const SqlColumn& column, const std::string& value,
                           const std::string& why) const;

    const RecordTable& table_;
    const SqlTableShape& shape_;
    const std::vector<MysqlColumn>& columns_;
    std::string target_;
    FloatTextCache floats_;
    char separator_;
    int minusZeros_ = 0;
};

}  // namespace kelvane
