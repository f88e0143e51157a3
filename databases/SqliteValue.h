#pragma once

#include <cstdint>
#include <string_view>

struct sqlite3_value;

namespace kelvane {

// How SQLite stores one value of a result row.
enum class SqliteType { Integer, Real, Text, Blob, Null };

// One value of a statement's current result row, valid until its next Step or Reset. Reading a
// value through it costs less than asking the statement for its type and then its content.
class SqliteValue {
  public:
    explicit SqliteValue(sqlite3_value* value) : value_(value) {}

    SqliteType Type() const;
    int64_t Integer() const;
    double Real() const;
    // Empty for NULL; a text SQLite could not convert for want of memory fails with a
    // KelvaneError.
    std::string_view Text() const;

  private:
    sqlite3_value* value_;
};

}  // namespace kelvane
