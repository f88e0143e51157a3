#include "app/ImportCommands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/table/RecordTable.h"
#include "tests/exchange/ExchangeTables.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {
namespace {

using namespace std::string_literals;

class ImportCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override { BuildTable(table, {{"Id"}, {"quality"}}); }

    std::vector<std::string> MessagesAfterImporting(const std::string& script) {
        dir.Write("items.scp", script);
        dialogs.FileAnswers.push_back(dir.File("items.scp"));
        commands.ImportRecords(ScriptImport::Scp);
        return dialogs.Messages;
    }

    TempDir dir;
    RecordTable table;
    ScriptedDialogs dialogs;
    CountingFeedback feedback;
    ImportCommands commands{table, dialogs, feedback};
};

TEST_F(ImportCommandsTest, ARecordImportSaysInOneMessageWhatTheUserWouldOtherwiseMiss) {
    EXPECT_TRUE(MessagesAfterImporting("[item 1]\nquality=1\n[item 2]\nquality=2\n").empty());

    EXPECT_EQ(MessagesAfterImporting("[item 3]\nquality=1\nquality=2\n\0[item 4]\n"s),
              std::vector<std::string>{
                  "1 key line replaced the value that an earlier line with the same key had set "
                  "in its section; the last value was kept (key 'quality').\n\n"
                  "The script ends at a NUL byte on line 4; the 10 bytes from there to the end of "
                  "the file were not read."});
    EXPECT_EQ(table.RecordCount(), 3);
    EXPECT_EQ(feedback.BusyDepth, 0);
}

}  // namespace
}  // namespace kelvane::testing
