#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace kelvane {

class CellLayout;
class RecordTable;

// What a MySQL dump holds.
struct MysqlDumpReport {
    int Records = 0;
    int Statements = 0;  // INSERT statements
    int MinusZeros = 0;  // float cells of -0, written as 0 since MySQL keeps no -0
    // For the user: "" when every value went in as it is.
    std::string Warning() const;
};

// The bound of one INSERT statement: far under the server's smallest max_allowed_packet default
// (4 MiB on older servers, 16 MiB and up since), yet big enough to load quickly.
inline constexpr size_t kMysqlStatementBytes = 1024 * 1024;

// Writes the table as a script that mysql / mariadb loads as it is: the session's character set
// and a strict SQL mode, DROP TABLE IF EXISTS, CREATE TABLE (the key column as primary key when
// it is unique), and the records in table order in multi-row INSERTs inside one transaction.
// Blank cells are NULL; each value reads back as the comma-separated export writes it, but for
// -0, which goes in as 0 and is counted in the report. A record being edited is finished first.
// layout is the cell layout of the file the table came from. Fails with a KelvaneError naming
// target when a value or a name cannot go into MySQL.
MysqlDumpReport DumpMysql(RecordTable& table, const CellLayout& layout,
                          const std::string& tableName, const std::string& target,
                          const std::function<void(std::string_view text)>& sink);

// DumpMysql into the file at path, which it replaces atomically: a failure leaves no file.
MysqlDumpReport WriteMysqlDump(RecordTable& table, const CellLayout& layout,
                               const std::string& tableName, const std::string& path);

}  // namespace kelvane
