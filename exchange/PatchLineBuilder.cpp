#include "exchange/PatchLineBuilder.h"

#include "exchange/CellTexts.h"

namespace kelvane {
namespace {

constexpr int kKeyColumn = 1;  // the first column after Index; its column number is 0

}  // namespace

void PatchLineBuilder::Begin(CellTexts& cells, int row) {
    line_.clear();
    pairs_.clear();
    cells.Append(line_, row, kKeyColumn);
    key_ = Span{0, line_.size()};
    line_ += ':';
}

void PatchLineBuilder::AddPair(CellTexts& cells, int row, int column) {
    if (!pairs_.empty()) {
        line_ += ',';
    }
    const int columnNumber = column - kKeyColumn;
    const size_t numberStart = line_.size();
    AppendInteger(line_, columnNumber);
    const Span number{numberStart, line_.size() - numberStart};
    line_ += '=';
    const size_t start = line_.size();
    cells.Append(line_, row, column);
    Span value{start, line_.size() - start};
    // A value with a comma goes in double quotes; the text is already in place, so the quotes
    // are put around it.
    if (!cells.HoldsIntegers(column) && Text(value).find(',') != std::string_view::npos) {
        line_.insert(start, 1, '"');
        line_ += '"';
        value.At += 1;
    }
    pairs_.push_back(WrittenPair{columnNumber, number, value});
}

bool PatchLineBuilder::ReadsBack() {
    // A line break inside a value splits the line in two when the file is read.
    if (line_.find('\r') != std::string::npos || line_.find('\n') != std::string::npos) {
        return false;
    }
    ParsePatchLine(line_, parsed_);
    if (parsed_.Form != PatchLineForm::KeyAndPairs || parsed_.Key != Key() ||
        parsed_.Pairs.size() != pairs_.size()) {
        return false;
    }
    for (size_t i = 0; i < pairs_.size(); ++i) {
        const PatchPairText& read = parsed_.Pairs[i];
        const WrittenPair& written = pairs_[i];
        // The same text as written is the same number; other text may still read as it.
        const bool sameColumn = read.Column == Text(written.Number) ||
                                PatchColumnNumber(read.Column) == written.ColumnNumber;
        if (!sameColumn || read.Value != Text(written.Value)) {
            return false;
        }
    }
    return true;
}

}  // namespace kelvane
