#pragma once

#include <string>

namespace kelvane {

// The state that names the open table's file.
struct CurrentTable {
    std::string FilePath;         // target of Save and Reload; folder of the field-definition file
    std::string TableName;        // names the field-definition file and the captions
    std::string OpenedTableName;  // TableName at the last opening of a file
    std::string LastOpenedPath;   // presets are written to this file's folder
    int NewTableCounter = 1;      // number of the next "Custom" table
    int ConfirmedFieldCount = 0;  // field rows confirmed in the field settings dialog
};

}  // namespace kelvane
