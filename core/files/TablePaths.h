#pragma once

#include <string>
#include <string_view>

namespace kelvane {

// The file name of a path: what follows its last "/".
std::string FileNameOfPath(std::string_view path);

// The table name of a file path: the file name (after the last "/") up to its first ".".
// "dir/Item.sparse.dbc" gives "Item"; a path ending in "/" gives "".
std::string TableNameFromPath(std::string_view path);

// The folder part of a path without its trailing "/", or "" when the path names no folder.
std::string FolderOfPath(std::string_view path);

// folder + "/" + name, or name alone when folder is "" (the current folder).
std::string JoinPath(std::string_view folder, std::string_view name);

}  // namespace kelvane
