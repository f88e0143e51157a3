#include "core/files/TextFile.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "core/base/KelvaneError.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

TEST(SplitTextLines, EveryKindOfLineEnd) {
    const struct {
        std::string_view Text;
        std::vector<std::string_view> Lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"\r\n\r\n", {"", ""}},
        {"a\n\rb", {"a", "", "b"}},  // LF then CR is two line ends
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\r", {"a"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitTextLines(c.Text), c.Lines) << ::testing::PrintToString(c.Text);
    }
}

TEST(TextFile, WritesCrLfAfterEveryLineAndReadsItBack) {
    const testing::TempDir folder;
    const std::string path = folder.File("lines.txt");
    const std::vector<std::string> lines = {"first", "", "third"};
    WriteTextLines(path, lines);
    EXPECT_EQ(folder.Read("lines.txt"), "first\r\n\r\nthird\r\n");
    EXPECT_EQ(ReadTextLines(path, NamedBy::User), lines);
}

TEST(TextFile, MissingFileNamesThePath) {
    const testing::TempDir folder;
    const std::string path = folder.File("missing.txt");
    try {
        ReadTextLines(path, NamedBy::User);
        FAIL() << "a missing file was read";
    } catch (const KelvaneError& error) {
        EXPECT_NE(std::string(error.what()).find("Cannot open file \"" + path + "\""),
                  std::string::npos)
            << error.what();
    }
}

}  // namespace
}  // namespace kelvane
