#pragma once

#include <string>
#include <vector>

namespace kelvane {

// How the string columns of a loaded table fit the string block of its file, judged on the
// cells as loaded: what a save would change beyond the user's edits.
struct StringBlockFit {
    struct ColumnCells {
        std::string Column;
        int Cells = 0;
    };
    // String columns with cells that point at no text's start: outside the block, past its
    // last terminator, or into the middle of a text. A save writes other offsets there.
    std::vector<ColumnCells> MisreadColumns;
    // Texts of the block, not empty, that no string cell points at: a save drops them.
    int DroppedTexts = 0;

    bool Fits() const { return MisreadColumns.empty() && DroppedTexts == 0; }
    // What does not fit, as part of a sentence: "3 cells of the string column "Name" ...".
    std::string Problems() const;
};

// The editor's question before a save of a table that does not fit its file's block.
std::string SaveDespiteMisfitQuestion(const std::string& path, const StringBlockFit& fit);

// Why a save without a question (command line, batch run) refuses such a table.
std::string SaveRefusedForMisfit(const std::string& path, const StringBlockFit& fit);

}  // namespace kelvane
