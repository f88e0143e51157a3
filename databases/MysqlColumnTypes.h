#pragma once

#include <string>
#include <vector>

namespace kelvane {

class RecordTable;
struct SqlTableShape;

// A column of a MySQL / MariaDB table as the dump declares and fills it.
struct MysqlColumn {
    std::string Type;  // "INT", "TINYINT UNSIGNED", "SMALLINT UNSIGNED", "DOUBLE", "TEXT", "BLOB",
                       // "MEDIUMTEXT" ...
    // A text column with a text that is not UTF-8: a binary column, filled with hex literals, so
    // that the server keeps the bytes as they are rather than refusing or replacing them.
    bool Binary = false;
};

// The type of each column of the shape, in its order. Integers are signed INT, which holds
// every value a cell of 4 bytes holds; cells of 1 and 2 bytes hold unsigned values only. Floats
// are DOUBLE: a FLOAT column would round what the table holds and the server shows it to six
// digits. Texts are TEXT, or BLOB when one of them is not UTF-8; MEDIUM or LONG when a text
// is longer than TEXT holds.
std::vector<MysqlColumn> MysqlColumnsOf(const RecordTable& table, const SqlTableShape& shape);

}  // namespace kelvane
