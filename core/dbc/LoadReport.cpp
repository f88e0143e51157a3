#include "core/dbc/LoadReport.h"

namespace kelvane {
namespace {

// What the load found of the misfit a save would refuse or ask about, or "".
std::string MisfitWarning(const LoadReport& report, const std::string& path) {
    if (report.TextFit.Fits()) {
        return {};
    }
    std::string warning = "\"" + path + "\": " + report.TextFit.Problems() + '.';
    if (const int cells = report.BadStringCells; cells > 0) {
        std::string columns;
        for (const std::string& name : report.BadStringColumns) {
            columns += (columns.empty() ? "" : ", ") + name;
        }
        warning += ' ' + std::to_string(cells) +
                   (cells == 1 ? " string cell points" : " string cells point") +
                   " past the string block and loaded as empty text (" +
                   (report.BadStringColumns.size() == 1 ? "column " : "columns ") + columns + ").";
    }
    return warning + " The field definitions probably do not fit the file.";
}

}  // namespace

std::string LoadReport::Warning(const std::string& path) const {
    const std::string misfit = MisfitWarning(*this, path);
    if (DefinitionsNote.empty() || misfit.empty()) {
        return DefinitionsNote + misfit;
    }
    return DefinitionsNote + "\n\n" + misfit;
}

}  // namespace kelvane
