#include "core/DbcReader.h"

namespace kelvane {

std::string LoadReport::Warning(const std::string& path) const {
    if (BadStringCells == 0) {
        return {};
    }
    std::string columns;
    for (const std::string& name : BadStringColumns) {
        columns += (columns.empty() ? "" : ", ") + name;
    }
    const bool one = BadStringCells == 1;
    return "\"" + path + "\": " + std::to_string(BadStringCells) +
           (one ? " string cell does" : " string cells do") +
           " not point at a text inside the string block and " + (one ? "was" : "were") +
           " loaded as empty text (" + (BadStringColumns.size() == 1 ? "column " : "columns ") +
           columns +
           "). The field definitions may call an integer column a string; saving now would "
           "write these cells as empty text.";
}

}  // namespace kelvane
