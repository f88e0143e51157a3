#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace kelvane {

// Rows gathered into multi-row INSERT statements of bounded size: one statement per row is slow
// to load, one for the whole table passes the server's max_allowed_packet. Each row stands on a
// line of its own. A row longer than the bound goes out alone in a statement of its own.
class MysqlInsertBatch {
  public:
    using Sink = std::function<void(std::string_view statement)>;

    // head: "INSERT INTO `T` VALUES"; each finished statement, ";" and line break included,
    // goes to sink.
    MysqlInsertBatch(std::string head, size_t statementBytes, Sink sink);

    // row: "(1,'a',NULL)".
    void Add(std::string_view row);
    // Hands over the statement being gathered.
    void Finish();
    int StatementCount() const { return statements_; }

  private:
    std::string head_;
    size_t statementBytes_;
    Sink sink_;
    std::string statement_;
    int statements_ = 0;
};

}  // namespace kelvane
