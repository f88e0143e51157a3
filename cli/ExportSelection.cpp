#include "cli/ExportSelection.h"

#include <charconv>
#include <string_view>

#include "core/base/KelvaneError.h"
#include "core/files/TextLineWriter.h"
#include "core/table/RecordTable.h"

namespace kelvane::cli {
namespace {

int OptionNumber(std::string_view option, std::string_view text) {
    int number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (text.empty() || error != std::errc() || stop != end) {
        throw UsageError(std::string(option) + " takes a whole number, not '" + std::string(text) +
                         "'");
    }
    return number;
}

void TakeOption(std::optional<int>& value, std::string_view option, const Arguments& args,
                size_t& i) {
    if (value) {
        throw UsageError(std::string(option) + " is given twice");
    }
    if (i + 1 == args.size()) {
        throw UsageError(std::string(option) + " needs a number after it");
    }
    value = OptionNumber(option, args[++i]);
}

}  // namespace

ExportSelection ParseExportSelection(const Arguments& args, const std::string& filesTaken,
                                     bool takesColumn) {
    ExportSelection selection;
    Arguments files;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--record") {
            TakeOption(selection.Record, arg, args, i);
        } else if (arg == "--column" && takesColumn) {
            TakeOption(selection.Column, arg, args, i);
        } else if (arg.starts_with("--")) {
            throw UsageError("unknown option '" + arg + "'");
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 2) {
        throw UsageError(filesTaken);
    }
    if (selection.Column && !selection.Record) {
        throw UsageError("--column needs --record: the cell is one of that record");
    }
    selection.TablePath = files[0];
    selection.OutPath = files[1];
    return selection;
}

int SelectedRow(const RecordTable& table, const ExportSelection& selection) {
    const int record = selection.Record.value();
    if (record < 0 || record >= table.RecordCount()) {
        throw KelvaneError("No record " + std::to_string(record) + ": \"" + selection.TablePath +
                           "\" holds " + std::to_string(table.RecordCount()) +
                           " records, counted from 0.");
    }
    return record;
}

int SelectedColumn(const RecordTable& table, const ExportSelection& selection) {
    const int column = selection.Column.value();
    if (column < 0 || column >= table.FieldCount()) {
        throw KelvaneError("No column " + std::to_string(column) + ": the columns of \"" +
                           selection.TablePath + "\" are 0 (Index) to " +
                           std::to_string(table.FieldCount() - 1) + ".");
    }
    return column;
}

void CommitExportFile(const ExportSelection& selection, TextLineWriter& file, std::ostream& out) {
    file.Commit();
    out << "Wrote \"" << selection.OutPath << "\": " << file.LineCount() << " lines.\n";
}

}  // namespace kelvane::cli
