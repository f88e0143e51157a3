#pragma once

#include <string>

#include "core/dbc/StringBlockFit.h"
#include "core/definitions/TableDefinitions.h"

namespace kelvane {

// Which field-definition file the open table was loaded with and how well the file and the
// definitions agree.
struct DefinitionsFit {
    // File name of the definitions, "" while no table loaded from a file is open.
    std::string File;
    // Fields the definitions describe (0: none found) and fields the table's file has.
    int DescribedFields = 0;
    int FileFields = 0;
    // Why they disagree, in a sentence; "" when they agree.
    std::string Note;
    StringBlockFit TextFit;
    // Where the names and kinds came from: TABLE.ini, a .dbd layout, or nothing.
    TableDefinitions Used;
};

}  // namespace kelvane
