#include "app/ColumnFilter.h"
#include "core/table/Field.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

#include "core/base/KelvaneError.h"
#include "tests/app/ViewTables.h"

namespace kelvane::testing {
namespace {

class ColumnFilterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        BuildViewTable(table, {{31, "Fireball", 1.5, -1},
                               {255, "Ice 1F", 0.1, 7},
                               {-1, "", -2.25, 0},
                               {16, "frost NOVA", 2, 31}});
        table.MoveTo(1);
        table.Edit();
        table.Fields(4).Clear();  // a blank Rank
        table.Post();
    }

    // The Index values of the records that pass.
    std::vector<int> Passing(int column, const std::string& text) {
        const ColumnFilter filter(table, column, text);
        std::vector<int> rows(static_cast<size_t>(table.RecordCount()));
        std::iota(rows.begin(), rows.end(), 0);
        filter.Keep(table, rows);
        std::vector<int> passing;
        for (const int row : rows) {
            passing.push_back(table.IntegerAt(row, 0));
        }
        return passing;
    }

    RecordTable table;
};

struct FilterCase {
    int Column;
    const char* Text;
    std::vector<int> Passing;
};

TEST_F(ColumnFilterTest, EachFormPassesTheRecordsItDescribes) {
    const std::vector<FilterCase> cases = {
        // Texts: contained anywhere, letters without case.
        {2, "fro", {3}},
        {2, "NOVA", {3}},
        {2, "i", {0, 1}},
        {2, "  ice ", {1}},
        // Decimal integers; the blank Rank passes no number test, not even "!=".
        {4, "7", {}},
        {4, "-1", {0}},
        {4, "=31", {3}},
        {4, "!=0", {0, 3}},
        {4, ">0", {3}},
        {4, ">=-1", {0, 2, 3}},
        {4, "<0", {0}},
        {4, "<= 0", {0, 2}},
        {4, "-5..0", {0, 2}},
        {4, "0 .. 31", {2, 3}},
        // Hexadecimal: typed as shown, -1 being FFFFFFFF.
        {1, "1F", {0}},
        {1, "0x10", {3}},
        {1, "ff", {1}},
        {1, ">FF", {2}},
        {1, "10..FF", {0, 1, 3}},
        {1, "FFFFFFFF", {2}},
        // Floats, held to the precision the file keeps, with either decimal separator.
        {3, "0.1", {1}},
        {3, "1,5", {0}},
        {3, "<0", {2}},
        {3, "-3..1.5", {0, 1, 2}},
    };
    for (const FilterCase& filterCase : cases) {
        EXPECT_EQ(Passing(filterCase.Column, filterCase.Text), filterCase.Passing)
            << "column " << filterCase.Column << " filter '" << filterCase.Text << "'";
    }
}

struct BadCase {
    int Column;
    const char* Text;
    const char* Message;
};

TEST_F(ColumnFilterTest, AnythingElseIsRefusedWithAMessageNamingColumnAndForms) {
    const char* decimalForms = "write 5, =5, !=5, >5, <=5 or 5..10.";
    const char* hexForms = "write 1F, =1F, !=1F, >1F, <=1F or 1F..FF (hexadecimal).";
    const std::vector<BadCase> cases = {
        {4, "abc", decimalForms}, {4, "5..", decimalForms},  {4, "..5", decimalForms},
        {4, "=>5", decimalForms}, {4, "1F", decimalForms},   {4, "1.5", decimalForms},
        {1, "G1", hexForms},      {3, "fast", decimalForms},
    };
    for (const BadCase& bad : cases) {
        try {
            ColumnFilter(table, bad.Column, bad.Text);
            ADD_FAILURE() << "accepted '" << bad.Text << "'";
        } catch (const KelvaneError& error) {
            const std::string expected = "The filter '" + std::string(bad.Text) + "' of column '" +
                                         table.ColumnName(bad.Column) +
                                         "' is not a number test: " + bad.Message;
            EXPECT_EQ(error.what(), expected);
        }
    }
    EXPECT_THROW(
        {
            try {
                ColumnFilter(table, 4, "10..5");
            } catch (const KelvaneError& error) {
                EXPECT_STREQ(error.what(),
                             "The filter '10..5' of column 'Rank' is an empty range: write the "
                             "smaller number first.");
                throw;
            }
        },
        KelvaneError);
}

}  // namespace
}  // namespace kelvane::testing
