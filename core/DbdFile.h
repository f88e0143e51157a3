#pragma once

#include <string>
#include <vector>

#include "core/DbdBuild.h"

namespace kelvane {

enum class DbdColumnType { Int, Uint, Float, String, LocString };

// One line of the COLUMNS block: a name every layout below may use, with its type.
struct DbdColumn {
    std::string Name;
    DbdColumnType Type = DbdColumnType::Int;
    std::string ForeignTable;  // empty when the column refers to no other table
    std::string ForeignColumn;
    bool NameVerified = true;  // false when the name carries a trailing '?'
    std::string Comment;
};

// One field line of a layout, in file order.
struct DbdEntry {
    std::string Name;
    size_t ColumnIndex = 0;                // into DbdFile::Columns
    std::vector<std::string> Annotations;  // "id", "noninline", "relation", ...
    int Bits = 0;                          // 0 when the line gives no width
    bool Unsigned = false;                 // from a "<u8>"-style width
    int ArraySize = 0;                     // 0 for a single field
    std::string Comment;
    int LineNumber = 0;

    bool HasAnnotation(const std::string& annotation) const;
};

// One layout: the builds and layout hashes it holds for, and its fields.
struct DbdDefinition {
    std::vector<DbdBuildRange> Builds;
    std::vector<std::string> LayoutHashes;
    std::vector<std::string> Comments;
    std::vector<DbdEntry> Entries;
    int LineNumber = 0;

    bool ListsBuild(const DbdBuild& build) const;
};

struct DbdFile {
    std::string FileName;
    std::vector<DbdColumn> Columns;
    std::vector<DbdDefinition> Definitions;
};

}  // namespace kelvane
