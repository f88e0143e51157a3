#pragma once

#include <string>
#include <vector>

namespace kelvane {

// The names in an open folder, without "." and "..". Empty when it cannot be read.
std::vector<std::string> FolderEntryNames(int folderFd);

// Removes every file in an open folder (a batch's staging folder holds nothing else).
void RemoveFilesIn(int folderFd);

}  // namespace kelvane
