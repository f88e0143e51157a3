#include "shell/FileDialogFolders.h"

#include <gtest/gtest.h>

#include <string>

namespace kelvane {
namespace {

FileDialogRequest Request(const std::string& title, const std::string& pattern) {
    return FileDialogRequest{title, {{pattern, pattern}}, "", ""};
}

TEST(FileDialogFolders, EachKindOfFileOpensWhereItWasLastChosenElseInTheTablesFolder) {
    FileDialogFolders folders;
    const FileDialogRequest csvExport = Request("Export to", "*.csv");
    const FileDialogRequest csvImport = Request("Import comma-separated text", "*.csv");
    const FileDialogRequest patch = Request("Export to Patchwell's format", "*.txt");
    EXPECT_EQ(folders.FolderFor(csvExport), "");  // nothing known: the platform's choice

    std::string tableFolder = "/data/client";
    folders.SetFallback([&tableFolder] { return tableFolder; });
    EXPECT_EQ(folders.FolderFor(csvExport), "/data/client");

    folders.Chosen(csvExport, "/home/me/exports");
    EXPECT_EQ(folders.FolderFor(csvImport), "/home/me/exports");  // the same kind of file
    EXPECT_EQ(folders.FolderFor(patch), "/data/client");
    tableFolder = "/data/other";  // another table opened: followed until a patch is chosen
    EXPECT_EQ(folders.FolderFor(patch), "/data/other");

    folders.Chosen(patch, "");  // a dialog that gave no folder changes nothing
    EXPECT_EQ(folders.FolderFor(patch), "/data/other");
    EXPECT_EQ(folders.FolderFor(FileDialogRequest{"Untyped", {}, "", ""}), "/data/other");
}

}  // namespace
}  // namespace kelvane
