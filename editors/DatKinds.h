#pragma once

#include <string_view>

namespace kelvane {

// The column every lookup file takes its ids from.
inline constexpr std::string_view DatIdColumn = "id";

// A table whose saving offers to write a lookup file of its ids and names beside the program.
struct DatKind {
    std::string_view TableName;   // as opened, compared exactly
    std::string_view Question;    // asked after saving
    std::string_view KindWord;    // names the kind between the question and its generator
    std::string_view NameColumn;  // read beside the "id" column
    std::string_view FileName;    // written into the side-file folder
};

// The kind of a table by the name it was opened with, letter case included; nullptr for any
// other table.
const DatKind* DatKindForTable(std::string_view openedTableName);

// The kind named by its word ("creatures", "items" or "go"); nullptr for any other word.
const DatKind* DatKindForWord(std::string_view kindWord);

}  // namespace kelvane
