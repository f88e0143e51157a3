#include "core/DbcReader.h"

namespace kelvane {
namespace {

std::string BadStringWarning(const LoadReport& report, const std::string& path) {
    const int cells = report.BadStringCells;
    if (cells == 0) {
        return {};
    }
    std::string columns;
    for (const std::string& name : report.BadStringColumns) {
        columns += (columns.empty() ? "" : ", ") + name;
    }
    const bool one = cells == 1;
    return "\"" + path + "\": " + std::to_string(cells) +
           (one ? " string cell does" : " string cells do") +
           " not point at a text inside the string block and " + (one ? "was" : "were") +
           " loaded as empty text (" +
           (report.BadStringColumns.size() == 1 ? "column " : "columns ") + columns +
           "). The field definitions may call an integer column a string; saving now would "
           "write these cells as empty text.";
}

}  // namespace

std::string LoadReport::Warning(const std::string& path) const {
    const std::string badStrings = BadStringWarning(*this, path);
    if (DefinitionsNote.empty() || badStrings.empty()) {
        return DefinitionsNote + badStrings;
    }
    return DefinitionsNote + "\n\n" + badStrings;
}

}  // namespace kelvane
