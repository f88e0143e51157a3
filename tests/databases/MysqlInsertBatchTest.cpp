#include "databases/MysqlInsertBatch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelvane {
namespace {

struct Gathered {
    std::vector<std::string> Statements;
    MysqlInsertBatch::Sink Sink() {
        return [this](std::string_view statement) { Statements.emplace_back(statement); };
    }
};

TEST(MysqlInsertBatch, RowsShareStatementsUpToTheBound) {
    Gathered out;
    // "INSERT V\n" + "(1)" + ",\n(2)" = 16 bytes, + ";\n" = 18: a third row would pass 20.
    MysqlInsertBatch batch("INSERT V", 20, out.Sink());
    for (const char* row : {"(1)", "(2)", "(3)", "(4)", "(5)"}) {
        batch.Add(row);
    }
    batch.Finish();
    batch.Finish();  // nothing left: no empty statement
    EXPECT_EQ(out.Statements,
              (std::vector<std::string>{"INSERT V\n(1),\n(2);\n", "INSERT V\n(3),\n(4);\n",
                                        "INSERT V\n(5);\n"}));
    EXPECT_EQ(batch.StatementCount(), 3);
    for (const std::string& statement : out.Statements) {
        EXPECT_LE(statement.size(), 20u);
    }
}

TEST(MysqlInsertBatch, ARowPastTheBoundGoesAloneAndNoRowsWriteNothing) {
    Gathered out;
    MysqlInsertBatch batch("I", 12, out.Sink());
    batch.Add("(1)");
    batch.Add("('a long text')");
    batch.Add("(2)");
    batch.Finish();
    EXPECT_EQ(out.Statements,
              (std::vector<std::string>{"I\n(1);\n", "I\n('a long text');\n", "I\n(2);\n"}));

    Gathered none;
    MysqlInsertBatch empty("I", 12, none.Sink());
    empty.Finish();
    EXPECT_TRUE(none.Statements.empty());
    EXPECT_EQ(empty.StatementCount(), 0);
}

}  // namespace
}  // namespace kelvane
