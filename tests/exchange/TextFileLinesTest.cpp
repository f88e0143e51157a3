#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "core/base/KelvaneError.h"
#include "core/files/TextFile.h"
#include "exchange/TextFileLines.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

// The file is read a mebibyte at a time: texts whose line ends fall across that edge.
constexpr size_t kPiece = size_t{1} << 20;

std::vector<std::string> LinesRead(const std::string& path) {
    TextFileLines lines(path);
    std::vector<std::string> read;
    std::string_view line;
    while (lines.Next(line)) {
        read.emplace_back(line);
    }
    return read;
}

TEST(TextFileLinesTest, SplitsAsTheWholeTextIsSplitAcrossPieceEdges) {
    const std::string longLine(kPiece - 1, 'x');
    const std::string texts[] = {
        "",
        "a",
        "a\r\nb\rc\nd\n",
        "\n\r\n\r",
        "last line without an end\r\nx",
        longLine + "\r\nnext",  // CR ends the first piece, its LF starts the second
        longLine + "\r",        // a CR that ends the file
        longLine + "\rnext\n",  // a lone CR at the edge
        longLine + "x\nnext",   // LF first in the second piece
        std::string(3 * kPiece + 5, 'y') + "\nshort",  // a line longer than a piece
    };
    const testing::TempDir folder;
    for (const std::string& text : texts) {
        folder.Write("lines.txt", text);
        const std::vector<std::string_view> views = SplitTextLines(text);
        EXPECT_EQ(LinesRead(folder.File("lines.txt")),
                  std::vector<std::string>(views.begin(), views.end()))
            << "a text of " << text.size() << " bytes";
    }
}

TEST(TextFileLinesTest, AMissingFileOrAFolderIsNamed) {
    const testing::TempDir folder;
    for (const std::string& path : {folder.File("missing.txt"), folder.Path()}) {
        try {
            TextFileLines lines(path);
            FAIL() << path;
        } catch (const KelvaneError& error) {
            EXPECT_EQ(std::string(error.what()).rfind("Cannot open file \"" + path + "\". ", 0), 0U)
                << error.what();
        }
    }
}

}  // namespace
}  // namespace kelvane
