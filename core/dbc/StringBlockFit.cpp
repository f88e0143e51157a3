#include "core/dbc/StringBlockFit.h"

#include "core/base/EchoText.h"

namespace kelvane {
namespace {

std::string Counted(int count, const std::string& one, const std::string& many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string MisreadCells(const std::vector<StringBlockFit::ColumnCells>& columns) {
    if (columns.size() == 1) {
        const int cells = columns[0].Cells;
        return Counted(cells, "cell", "cells") + " of the string column \"" +
               EchoText(columns[0].Column) + (cells == 1 ? "\" does" : "\" do") +
               " not point at the start of a text";
    }
    std::string list;
    for (const StringBlockFit::ColumnCells& column : columns) {
        list += (list.empty() ? "\"" : ", \"") + EchoText(column.Column) + "\" (" +
                std::to_string(column.Cells) + ")";
    }
    return "cells of the string columns " + list + " do not point at the start of a text";
}

}  // namespace

std::string StringBlockFit::Problems() const {
    std::string problems;
    if (!MisreadColumns.empty()) {
        problems = MisreadCells(MisreadColumns) + ", so saving would change what they hold";
    }
    if (DroppedTexts > 0) {
        problems += (problems.empty() ? "" : "; ") +
                    Counted(DroppedTexts, "text of the file is", "texts of the file are") +
                    " in no string column, so saving would drop " +
                    (DroppedTexts == 1 ? "it" : "them");
    }
    return problems;
}

std::string SaveDespiteMisfitQuestion(const std::string& path, const StringBlockFit& fit) {
    return "Saving \"" + path + "\" would change data you did not edit: " + fit.Problems() +
           ". The field definitions probably do not fit the file.\n\nSave anyway?";
}

std::string SaveRefusedForMisfit(const std::string& path, const StringBlockFit& fit) {
    return "Cannot save \"" + path + "\": " + fit.Problems() +
           ". The field definitions probably do not fit the file. Nothing was written; give "
           "--force to save anyway.";
}

}  // namespace kelvane
