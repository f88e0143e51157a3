#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/DbcFormat.h"
#include "core/StringBlockFit.h"

namespace kelvane {

struct Workspace;

// Told (record number, record count) now and then while records are read; cheap enough to
// drive a progress bar.
using LoadProgress = std::function<void(int record, int recordCount)>;

// What a load found beyond the table itself.
struct LoadReport {
    DbcHeader Header;
    // Some cells of the records are narrower than 4 bytes.
    bool HasByteFields = false;
    int RecordsLoaded = 0;
    // String cells whose offset lies outside the string block or whose text does not end
    // inside it; they load as the empty text.
    int BadStringCells = 0;
    std::vector<std::string> BadStringColumns;
    // When the field-definition file describes another number of fields than the file has,
    // what that means for the columns; otherwise "".
    std::string DefinitionsNote;
    // What saving the table as loaded would change beyond the user's edits.
    StringBlockFit TextFit;
    // One message for the user about the definitions and the bad string cells, or "" when
    // there is nothing to say.
    std::string Warning(const std::string& path) const;
};

// Replaces the columns and records of the workspace's table with the records of a DBC file.
// With applyDefinitions the columns come from the field-definition file beside the current
// table (CurrentTable's FilePath and TableName); otherwise fieldLimit columns are built from
// the definitions held. Failures throw KelvaneError naming the file; the table keeps what was
// built before the failure.
LoadReport LoadDbcFile(Workspace& workspace, const std::string& path, bool applyDefinitions,
                       int fieldLimit, const LoadProgress& progress = {});

// LoadDbcFile on bytes already in memory; path only names the file in messages.
LoadReport LoadDbcBytes(Workspace& workspace, const std::string& path, std::string_view bytes,
                        bool applyDefinitions, int fieldLimit, const LoadProgress& progress = {});

}  // namespace kelvane
