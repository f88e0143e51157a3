#include "core/files/SideFileFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::ScopedEnvironment;
using testing::TempDir;

struct SideFileCase {
    const char* Name;
    const char* ProgramFolder;  // under the test's folder
    bool Created;
    std::optional<std::string> DataHome;  // "@" stands for an absolute folder of the test's
    std::optional<std::string> Home;
    const char* Expected;  // "=" is the program folder itself
};

TEST(SideFileFolder, StaysBesideABuildButNotBesideAnInstalledProgram) {
    const SideFileCase cases[] = {
        {"build folder", "build/program", true, "@", "/home/ann", "="},
        {"installed in bin", "usr/bin", true, "@", "/home/ann", "@/kelvane"},
        {"folder that cannot be written", "gone/program", false, "@", "/home/ann", "@/kelvane"},
        {"no data home: under HOME", "usr/bin", true, std::nullopt, "/home/ann",
         "/home/ann/.local/share/kelvane"},
        {"relative data home is ignored", "usr/bin", true, "data", "/home/ann",
         "/home/ann/.local/share/kelvane"},
        {"nowhere else: the program folder", "usr/bin", true, std::nullopt, std::nullopt, "="},
    };
    for (const SideFileCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TempDir dir;
        const std::string program = dir.File(c.ProgramFolder);
        if (c.Created) {
            std::filesystem::create_directories(program);
        }
        const std::string dataHome = dir.File("data-home");
        const auto resolve = [&](const std::string& text) {
            if (text == "=") {
                return program;
            }
            return text.starts_with('@') ? dataHome + text.substr(1) : text;
        };
        ScopedEnvironment data("XDG_DATA_HOME",
                               c.DataHome ? std::optional(resolve(*c.DataHome)) : std::nullopt);
        ScopedEnvironment home("HOME", c.Home);
        EXPECT_EQ(SideFileFolder(program), resolve(c.Expected));
    }
}

}  // namespace
}  // namespace kelvane
