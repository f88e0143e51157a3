#include "exchange/PatchLineBuilder.h"

#include <charconv>

#include "core/RecordTable.h"
#include "exchange/CellTextAppend.h"

namespace kelvane {
namespace {

constexpr int kKeyColumn = 1;  // the first column after Index; its column number is 0

void AppendNumber(std::string& out, int number) {
    char digits[16];
    const auto written = std::to_chars(digits, digits + sizeof digits, number);
    out.append(digits, written.ptr);
}

}  // namespace

void PatchLineBuilder::Begin(const RecordTable& table, int row) {
    line_.clear();
    pairs_.clear();
    AppendCellText(line_, table, row, kKeyColumn);
    key_ = Span{0, line_.size()};
    line_ += ':';
}

void PatchLineBuilder::AddPair(const RecordTable& table, int row, int column) {
    if (!pairs_.empty()) {
        line_ += ',';
    }
    const int columnNumber = column - kKeyColumn;
    AppendNumber(line_, columnNumber);
    line_ += '=';
    const size_t start = line_.size();
    AppendCellText(line_, table, row, column);
    Span value{start, line_.size() - start};
    // A value with a comma goes in double quotes; the text is already in place, so the quotes
    // are put around it.
    if (Text(value).find(',') != std::string_view::npos) {
        line_.insert(start, 1, '"');
        line_ += '"';
        value.At += 1;
    }
    pairs_.push_back(WrittenPair{columnNumber, value});
}

bool PatchLineBuilder::ReadsBack() {
    // A line break inside a value splits the line in two when the file is read.
    if (line_.find_first_of("\r\n") != std::string::npos) {
        return false;
    }
    ParsePatchLine(line_, parsed_);
    if (parsed_.Form != PatchLineForm::KeyAndPairs || parsed_.Key != Key() ||
        parsed_.Pairs.size() != pairs_.size()) {
        return false;
    }
    for (size_t i = 0; i < pairs_.size(); ++i) {
        const PatchPairText& read = parsed_.Pairs[i];
        if (PatchColumnNumber(read.Column) != pairs_[i].ColumnNumber ||
            read.Value != Text(pairs_[i].Value)) {
            return false;
        }
    }
    return true;
}

}  // namespace kelvane
