#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/RecordTable.h"
#include "import/ScriptImports.h"
#include "tests/exchange/ExchangeTables.h"
#include "tests/import/ImportTables.h"

namespace kelvane {
namespace {

using testing::BuildTable;
using testing::ImportText;
using testing::TableTexts;
using Rows = std::vector<std::vector<std::string>>;

TEST(ItemPageImport, JoinsTheLinesOfAPage) {
    const struct {
        std::string Body;
        std::string PageText;
    } cases[] = {
        {"Line=Dear friend,\nLine=\nLine=come quickly.\n", "Dear friend,\r\n\r\ncome quickly."},
        {"Line=\nLine=Hello\n", "Hello"},  // empty lines before the text leave no trace
        {"Line=a\nLine=\nLine=\n", "a\r\n\r\n"},
        {"Line=a=b\n", "a=b"},
        {"Line= indented   \n", " indented"},  // the line is trimmed, the value keeps its lead
        {"NextPage=2\n", ""},
        {"PageText=xyz\nLine=kept\n", "kept"},
        {"Line=x\nPageText=xyz\n", "x"},  // the joined text replaces the key line at the end
        {"line=abc\n", ""},
        {"Line=caf\xE9 // 1252\n", "caf\xE9 // 1252"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Body);
        RecordTable table;
        BuildTable(table, {{"ID"}, {"PageText", FieldKind::ftString}, {"NextPage"}});
        ImportText(table, ScriptImport::ItemPages, "[page 1]\n" + c.Body);
        ASSERT_EQ(table.RecordCount(), 1);
        EXPECT_EQ(testing::Cell(table, 0, "PageText"), c.PageText);
    }
}

TEST(ItemPageImport, EachPageStartsEmptyAndOtherKeysFillTheirColumns) {
    RecordTable table;
    BuildTable(table, {{"ID"}, {"PageText", FieldKind::ftString}, {"NextPage"}, {"line"}});

    ImportText(table, ScriptImport::ItemPages,
               "[page 1]\nLine=one\nNextPage=2\nline=7\n[page 2]\nLine=two\n");

    EXPECT_EQ(TableTexts(table), (Rows{{"0", "1", "one", "2", "7"}, {"1", "2", "two", "0", "0"}}));
}

TEST(ItemPageImport, WithoutAPageTextColumnEveryRecordIsCancelled) {
    RecordTable table;
    BuildTable(table, {{"ID"}, {"NextPage"}});

    const ImportReport report =
        ImportText(table, ScriptImport::ItemPages, "[page 1]\nLine=a\n[page 2]\n");

    EXPECT_EQ(table.RecordCount(), 0);
    EXPECT_EQ(report.RecordsCancelled, 2);
}

}  // namespace
}  // namespace kelvane
