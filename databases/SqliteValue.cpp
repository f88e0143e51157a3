#include "databases/SqliteValue.h"

#include <sqlite3.h>

#include "core/base/KelvaneError.h"

namespace kelvane {

SqliteType SqliteValue::Type() const {
    switch (sqlite3_value_type(value_)) {
        case SQLITE_INTEGER:
            return SqliteType::Integer;
        case SQLITE_FLOAT:
            return SqliteType::Real;
        case SQLITE_TEXT:
            return SqliteType::Text;
        case SQLITE_BLOB:
            return SqliteType::Blob;
        default:
            return SqliteType::Null;
    }
}

int64_t SqliteValue::Integer() const {
    return sqlite3_value_int64(value_);
}

double SqliteValue::Real() const {
    return sqlite3_value_double(value_);
}

std::string_view SqliteValue::Text() const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value_));
    if (text == nullptr) {
        if (sqlite3_value_type(value_) != SQLITE_NULL) {
            throw KelvaneError("Not enough memory to read a text of the database");
        }
        return {};
    }
    return std::string_view(text, static_cast<size_t>(sqlite3_value_bytes(value_)));
}

}  // namespace kelvane
