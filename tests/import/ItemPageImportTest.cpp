#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/table/RecordTable.h"
#include "import/ImportNotices.h"
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

// The user hears why records were cancelled, each reason once with the sections it cancelled,
// named by the line of their header.
TEST(ItemPageImport, TheNoticesSayWhyRecordsWereCancelled) {
    const struct {
        std::vector<testing::ColumnSpec> Columns;
        std::string Script;
        std::string Notice;
    } cases[] = {
        {{{"ID"}, {"NextPage"}},
         "[page 1]\nLine=a\n[page 2]\n",
         "2 records were cancelled: the table has no column PageText, which holds the text of a "
         "page (2 sections, the first on line 1)."},
        {{{"ID"}, {"PageText", FieldKind::ftString}},
         "lines before the first page belong to none\n\n\n[page 2x]\nLine=b\n",
         "1 record was cancelled: '2x' is not a valid integer value for field 'ID' (the section "
         "on line 4)."},
        {{{"ID"}, {"NextPage"}},
         "[page 1]\n[page y]\n[page 2]\n",
         "3 records were cancelled: the table has no column PageText, which holds the text of a "
         "page (2 sections, the first on line 1); 'y' is not a valid integer value for field 'ID' "
         "(the section on line 2)."},
        {{{"ID"}, {"PageText", FieldKind::ftString}},
         "[page a]\n[page b]\n[page c]\n[page d]\n[page e]\n[page f]\n[page g]\n[page f]\n",
         "8 records were cancelled: 'a' is not a valid integer value for field 'ID' (the section "
         "on line 1); 'b' is not a valid integer value for field 'ID' (the section on line 2); "
         "'c' is not a valid integer value for field 'ID' (the section on line 3); 'd' is not a "
         "valid integer value for field 'ID' (the section on line 4); 'e' is not a valid integer "
         "value for field 'ID' (the section on line 5); 3 more for other reasons."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Script);
        RecordTable table;
        BuildTable(table, c.Columns);
        const ImportReport report = ImportText(table, ScriptImport::ItemPages, c.Script);
        EXPECT_EQ(table.RecordCount(), 0);
        EXPECT_EQ(ImportNotices(report), std::vector<std::string>{c.Notice});
    }
}

}  // namespace
}  // namespace kelvane
