// The folders are floors and includes run one way, down them. Each library publishes only its
// own folder, so the compiler already refuses an include of a floor the library does not link;
// it cannot see the rules inside a library (the rooms of core/, windows and the code free of
// Qt) nor the folders that are no library. This test reads every quoted include of the project
// and checks them all.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane::testing {
namespace {

namespace fs = std::filesystem;

// What each folder's files may include besides their own folder, lowest floor first. Nothing
// names program/: it is the composition root, and nothing includes it.
const std::map<std::string, std::set<std::string, std::less<>>, std::less<>> kMayInclude = {
    {"core", {}},
    // Shared window services: the dialogs, the feedback, the command guard, the Qt helpers.
    {"shell", {}},
    {"exchange", {"core", "shell"}},
    {"import", {"core", "shell"}},
    // Database files and dumps hold the cells the text exports write and feed the same imports.
    {"databases", {"core", "shell", "exchange"}},
    // The .dat files and the quest lists write cells as the text export does.
    {"editors", {"core", "shell", "exchange"}},
    {"launcher", {"core", "shell"}},
    {"talents", {"core", "shell"}},
    {"app", {"core", "shell", "exchange", "databases", "import", "editors", "launcher", "talents"}},
    {"program",
     {"core", "shell", "exchange", "databases", "import", "editors", "launcher", "talents", "app"}},
    // The command-line tool stands beside program/, over the Qt-free libraries only.
    {"cli", {"core", "exchange", "databases", "import", "editors", "launcher", "talents"}},
    {"examples", {"core"}},
};

// The rooms of core/, lowest first, and what each may include besides its own room. The table
// knows nothing of files and the DBC format nothing of the undo history.
const std::map<std::string, std::set<std::string, std::less<>>, std::less<>> kCoreRooms = {
    // Errors, text and number spelling, progress: what every room uses.
    {"base", {}},
    {"files", {"base"}},
    {"table", {"base"}},
    {"undo", {"base", "table"}},
    {"dbc", {"base", "files", "table"}},
    {"definitions", {"base", "files", "table", "dbc"}},
    // The open table with its file, layout and definitions, as the program and the tool use it.
    {"workspace", {"base", "files", "table", "dbc", "definitions"}},
};

// Tests, benchmarks and fuzz targets reach into whichever floor they exercise.
const std::set<std::string, std::less<>> kUnchecked = {"tests", "bench", "fuzz"};

std::string_view FolderOf(std::string_view path) {
    return path.substr(0, path.find('/'));
}

// The room of a file of core/, as core/room/File.h; empty for any other path.
std::string_view CoreRoomOf(std::string_view path) {
    if (FolderOf(path) != "core") {
        return {};
    }
    const std::string_view rest = path.substr(path.find('/') + 1);
    const size_t slash = rest.find('/');
    return slash == std::string_view::npos ? std::string_view{} : rest.substr(0, slash);
}

// Why a file of core/ may not include another file of core/; nothing when it may.
std::optional<std::string> CoreRoomViolation(std::string_view from, std::string_view included) {
    const std::string_view includedRoom = CoreRoomOf(included);
    if (!kCoreRooms.contains(includedRoom)) {
        return "an include of core/ names its room, as core/room/File.h";
    }
    if (FolderOf(from) != "core") {
        return std::nullopt;
    }
    const std::string_view fromRoom = CoreRoomOf(from);
    const auto rule = kCoreRooms.find(fromRoom);
    if (rule == kCoreRooms.end()) {
        return "every file of core/ lives in one of its rooms";
    }
    if (includedRoom != fromRoom && !rule->second.contains(includedRoom)) {
        return "core/" + std::string(fromRoom) + "/ may not include core/" +
               std::string(includedRoom) + "/";
    }
    return std::nullopt;
}

// Windows live in a folder's ui/; everything else of the folder is free of Qt.
bool InWindowFolder(std::string_view path) {
    const size_t slash = path.find('/');
    return slash != std::string_view::npos && path.substr(slash + 1).starts_with("ui/");
}

// Why a file of the project may not include another; nothing when it may. Both paths are from
// the project root, as the project writes its includes.
std::optional<std::string> Violation(std::string_view from, std::string_view included) {
    const std::string_view fromFolder = FolderOf(from);
    const std::string_view includedFolder = FolderOf(included);
    const auto rule = kMayInclude.find(fromFolder);
    if (rule == kMayInclude.end()) {
        return "its folder " + std::string(fromFolder) + "/ has no place in the floors";
    }
    if (!kMayInclude.contains(includedFolder)) {
        return "an include is written from the project root, as folder/File.h";
    }
    if (includedFolder != fromFolder && !rule->second.contains(includedFolder)) {
        return std::string(fromFolder) + "/ may not include " + std::string(includedFolder) + "/";
    }
    if (includedFolder == "core") {
        return CoreRoomViolation(from, included);
    }
    // program/ is Qt throughout and brings every window together.
    if (!InWindowFolder(included) || fromFolder == "program") {
        return std::nullopt;
    }
    if (!InWindowFolder(from)) {
        return "code free of Qt may not include windows";
    }
    // Windows build on the shared window services; only program/ puts windows of different
    // folders together.
    if (includedFolder != fromFolder && includedFolder != "shell") {
        return "windows of " + std::string(fromFolder) + "/ may not include windows of " +
               std::string(includedFolder) + "/";
    }
    return std::nullopt;
}

struct Include {
    std::string From;  // from the project root
    int Line = 0;
    std::string Included;
};

bool IsSourceFile(const fs::path& path) {
    return path.extension() == ".h" || path.extension() == ".cpp";
}

// Build folders and hidden folders hold no sources of ours.
bool IsSkippedFolder(const fs::path& relative) {
    const std::string name = relative.filename().string();
    return name.starts_with('.') || name.starts_with("build") ||
           (relative.has_parent_path() ? false : kUnchecked.contains(name));
}

// What a line includes in quotes (#include "folder/File.h", blanks allowed around the #), or
// nothing. Read by hand: std::regex alone made this the slowest file of the build.
std::optional<std::string_view> QuotedInclude(std::string_view line) {
    const auto skipBlanks = [&line] {
        line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
    };
    skipBlanks();
    if (!line.starts_with('#')) {
        return std::nullopt;
    }
    line.remove_prefix(1);
    skipBlanks();
    if (!line.starts_with("include")) {
        return std::nullopt;
    }
    line.remove_prefix(std::string_view("include").size());
    skipBlanks();
    const size_t close = line.find('"', 1);
    if (!line.starts_with('"') || close == std::string_view::npos || close == 1) {
        return std::nullopt;
    }
    return line.substr(1, close - 1);
}

std::vector<Include> ProjectIncludes(const fs::path& root) {
    std::vector<Include> includes;
    for (auto entry = fs::recursive_directory_iterator(root);
         entry != fs::recursive_directory_iterator(); ++entry) {
        const fs::path relative = fs::relative(entry->path(), root);
        if (entry->is_directory()) {
            if (IsSkippedFolder(relative)) {
                entry.disable_recursion_pending();
            }
            continue;
        }
        if (!entry->is_regular_file() || !IsSourceFile(relative) || !relative.has_parent_path()) {
            continue;
        }
        std::ifstream file(entry->path());
        std::string text;
        for (int line = 1; std::getline(file, text); ++line) {
            if (const auto included = QuotedInclude(text)) {
                includes.push_back({relative.generic_string(), line, std::string(*included)});
            }
        }
    }
    return includes;
}

TEST(Layering, EveryIncludeRunsDownTheFloors) {
    const std::vector<Include> includes = ProjectIncludes(KELVANE_SOURCE_DIR);
    std::map<std::string, int, std::less<>> includesPerFolder;
    std::vector<std::string> violations;
    for (const Include& include : includes) {
        ++includesPerFolder[std::string(FolderOf(include.From))];
        if (const auto why = Violation(include.From, include.Included)) {
            violations.push_back(include.From + ":" + std::to_string(include.Line) + " includes " +
                                 include.Included + ": " + *why);
        }
    }
    std::string report;
    for (const std::string& violation : violations) {
        report += violation + "\n";
    }
    EXPECT_TRUE(violations.empty()) << report;
    // A walk that found nothing would pass as well: every floor has includes to check.
    for (const auto& [folder, allowed] : kMayInclude) {
        EXPECT_GT(includesPerFolder[folder], 0) << folder;
    }
}

TEST(Layering, QuotedIncludesAreReadAsTheCompilerReadsThem) {
    struct Case {
        const char* line;
        std::optional<std::string_view> included;
    };
    const Case cases[] = {
        {R"(#include "core/table/RecordTable.h")", "core/table/RecordTable.h"},
        {" \t#  include\t\"app/EditorSession.h\" // why", "app/EditorSession.h"},
        {"#include <vector>", std::nullopt},
        {R"(// #include "app/EditorSession.h")", std::nullopt},
        {R"(#includes "app/EditorSession.h")", std::nullopt},
        {R"(#include "")", std::nullopt},
        {R"(#include "unclosed)", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(QuotedInclude(c.line), c.included) << c.line;
    }
}

TEST(Layering, TheRulesTellUpFromDown) {
    struct Case {
        const char* from;
        const char* included;
        bool allowed;
    };
    const Case cases[] = {
        {"core/definitions/Presets.cpp", "core/files/IniFile.h", true},
        {"core/definitions/Presets.cpp", "shell/UserDialogs.h", false},
        {"core/table/RecordTable.cpp", "core/files/FileIo.h", false},
        {"core/dbc/DbcWriter.cpp", "core/undo/UndoHistory.h", false},
        {"core/dbc/DbcReader.cpp", "core/table/RecordTable.h", true},
        {"core/definitions/FieldKindGuess.cpp", "core/workspace/Workspace.h", false},
        {"core/workspace/OpenTable.cpp", "core/definitions/Presets.h", true},
        {"core/Loose.cpp", "core/base/TextUtil.h", false},
        {"core/dbc/DbcReader.cpp", "core/RecordTable.h", false},
        {"app/EditorSession.cpp", "core/undo/UndoHistory.h", true},
        {"app/EditorSession.cpp", "core/UndoHistory.h", false},
        {"shell/CommandGuard.cpp", "core/base/KelvaneError.h", false},
        {"shell/ui/QtDialogs.cpp", "shell/ui/QtText.h", true},
        {"shell/CommandGuard.cpp", "shell/ui/QtText.h", false},
        {"talents/TalentEditor.cpp", "shell/UserDialogs.h", true},
        {"talents/TalentEditor.cpp", "app/EditorSession.h", false},
        {"talents/ui/TalentTreeWindow.cpp", "shell/ui/QtText.h", true},
        {"talents/ui/TalentTreeWindow.cpp", "editors/ui/EditorWindow.h", false},
        {"editors/DatFile.cpp", "exchange/TextExport.h", true},
        {"editors/ui/DatQuestionWindow.cpp", "exchange/ui/MemoLines.h", false},
        {"import/ScriptLines.cpp", "exchange/PatchText.h", false},
        {"exchange/ui/NotesWindow.cpp", "app/ui/MainWindow.h", false},
        {"app/EditorSession.cpp", "editors/DatKinds.h", true},
        {"app/EditorSession.cpp", "app/ui/MainWindow.h", false},
        {"app/ui/MainWindow.cpp", "program/Program.h", false},
        {"app/ui/MainWindow.cpp", "shell/ui/ModalRunner.h", true},
        {"app/ui/MainWindow.cpp", "editors/ui/CreatureEditorWindow.h", false},
        {"program/Program.cpp", "talents/ui/TalentTreeWindow.h", true},
        {"program/main.cpp", "program/Program.h", true},
        {"cli/DatCommand.cpp", "editors/DatFile.h", true},
        {"cli/main.cpp", "app/EditorSession.h", false},
        {"cli/main.cpp", "shell/ui/QtText.h", false},
        {"app/ui/MainWindow.cpp", "MainWindow.h", false},
        {"gui/Window.cpp", "core/table/RecordTable.h", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(!Violation(c.from, c.included).has_value(), c.allowed)
            << c.from << " includes " << c.included;
    }
}

}  // namespace
}  // namespace kelvane::testing
