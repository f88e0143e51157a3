#pragma once

#include <string>

namespace kelvane {

// What the new-table dialog asks for: a number of integer fields, or the field definitions of
// an existing field-definition file.
struct NewTableRequest {
    enum class Source { FieldCount, FieldDefFile };
    Source From = Source::FieldCount;
    std::string FieldCountText;  // as typed, blanks included
    std::string FieldDefFilePath;
};

}  // namespace kelvane
