#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/DbcFormat.h"

namespace kelvane {

struct Workspace;

// Told (record number, record count) now and then while records are read; cheap enough to
// drive a progress bar.
using LoadProgress = std::function<void(int record, int recordCount)>;

// What a load found beyond the table itself.
struct LoadReport {
    DbcHeader Header;
    bool HasByteFields = false;
    int RecordsLoaded = 0;
    // String cells whose offset lies outside the string block or whose text does not end
    // inside it; they load as the empty text.
    int BadStringCells = 0;
    std::vector<std::string> BadStringColumns;
    // A message for the user about the bad string cells, or "" when there were none.
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
