#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/dbc/DbcFormat.h"
#include "core/dbc/StringBlockFit.h"

namespace kelvane {

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
    // The field-definition file the columns came from ("" for none) and how many fields it
    // describes (0 when it was not found).
    std::string DefinitionsPath;
    int DescribedFields = 0;
    // When the field-definition file describes another number of fields than the file has,
    // what that means for the columns; otherwise "".
    std::string DefinitionsNote;
    // What saving the table as loaded would change beyond the user's edits.
    StringBlockFit TextFit;
    // One message for the user about the definitions and how the texts fit, or "" when
    // there is nothing to say.
    std::string Warning(const std::string& path) const;
};

}  // namespace kelvane
