#include "databases/MysqlInsertBatch.h"

#include <utility>

namespace kelvane {
namespace {

constexpr std::string_view kStatementEnd = ";\n";
constexpr std::string_view kRowSeparator = ",\n";

}  // namespace

MysqlInsertBatch::MysqlInsertBatch(std::string head, size_t statementBytes, Sink sink)
    : head_(std::move(head)), statementBytes_(statementBytes), sink_(std::move(sink)) {}

void MysqlInsertBatch::Add(std::string_view row) {
    if (!statement_.empty() &&
        statement_.size() + kRowSeparator.size() + row.size() + kStatementEnd.size() >
            statementBytes_) {
        Finish();
    }
    if (statement_.empty()) {
        statement_.reserve(statementBytes_);
        statement_ = head_;
        statement_ += '\n';
    } else {
        statement_ += kRowSeparator;
    }
    statement_ += row;
}

void MysqlInsertBatch::Finish() {
    if (statement_.empty()) {
        return;
    }
    statement_ += kStatementEnd;
    sink_(statement_);
    statement_.clear();
    ++statements_;
}

}  // namespace kelvane
