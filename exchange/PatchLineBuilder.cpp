#include "exchange/PatchLineBuilder.h"

#include "exchange/CellTexts.h"

namespace kelvane {
namespace {

constexpr int kKeyColumn = 1;  // the first column after Index; its column number is 0

struct LineMarks {
    bool LineBreak = false;
    bool ChangesReading = false;  // a double quote or a comment mark
};

// What in a written line can keep it from reading back as written. Each character is looked for
// with a search of its own: that beats one loop over every character of a long line.
LineMarks ScanLine(std::string_view line) {
    constexpr auto npos = std::string_view::npos;
    LineMarks marks;
    marks.LineBreak = line.find('\r') != npos || line.find('\n') != npos;
    marks.ChangesReading =
        line.find('"') != npos || line.find(';') != npos || line.find("//") != npos;
    return marks;
}

}  // namespace

void PatchLineBuilder::Begin(CellTexts& cells, int row) {
    line_.clear();
    pairs_.clear();
    cells.Append(line_, row, kKeyColumn);
    key_ = Span{0, line_.size()};
    line_ += ':';
}

size_t PatchLineBuilder::StartPair(int column) {
    pairStart_ = line_.size();
    if (!pairs_.empty()) {
        line_ += ',';
    }
    numberStart_ = line_.size();
    AppendInteger(line_, column - kKeyColumn);
    line_ += '=';
    return line_.size();
}

void PatchLineBuilder::EndPair(int column, size_t valueStart, bool mayHoldComma) {
    const Span number{numberStart_, valueStart - 1 - numberStart_};
    Span value{valueStart, line_.size() - valueStart};
    // A value with a comma goes in double quotes; the text is already in place, so the quotes
    // are put around it.
    if (mayHoldComma && Text(value).find(',') != std::string_view::npos) {
        line_.insert(valueStart, 1, '"');
        line_ += '"';
        value.At += 1;
    }
    pairs_.push_back(WrittenPair{column - kKeyColumn, pairStart_, number, value});
}

void PatchLineBuilder::AddPair(CellTexts& cells, int row, int column) {
    const size_t start = StartPair(column);
    cells.Append(line_, row, column);
    EndPair(column, start, !cells.HoldsIntegers(column));
}

void PatchLineBuilder::DropLastPair() {
    line_.resize(pairs_.back().Start);
    pairs_.pop_back();
}

std::optional<PatchProblem> PatchLineBuilder::ReadBackProblem() {
    const LineMarks marks = ScanLine(line_);
    // A line break inside a value splits the line in two when the file is read.
    if (marks.LineBreak) {
        return PatchProblem::LineBreak;
    }
    // Without a double quote, a comment mark or a colon in the key, the reader splits the line
    // exactly where it was joined, so only lines holding one of those need reading back.
    if (!pairs_.empty() && !marks.ChangesReading && Key().find(':') == std::string_view::npos) {
        return std::nullopt;
    }
    ParsePatchLine(line_, parsed_);
    // The line holds a ":", so it is neither blank nor without a key: only a comment mark
    // makes the reader skip it.
    if (parsed_.Form == PatchLineForm::Skipped) {
        return PatchProblem::CommentMark;
    }
    if (parsed_.Key != Key()) {
        return PatchProblem::ColonInKey;
    }
    if (pairs_.empty()) {
        return PatchProblem::NoCell;
    }
    if (parsed_.Pairs.size() != pairs_.size()) {
        return PatchProblem::DoubleQuote;
    }
    for (size_t i = 0; i < pairs_.size(); ++i) {
        const PatchPairText& read = parsed_.Pairs[i];
        const WrittenPair& written = pairs_[i];
        // The same text as written is the same number; other text may still read as it.
        const bool sameColumn = read.Column == Text(written.Number) ||
                                PatchColumnNumber(read.Column) == written.ColumnNumber;
        // Values hold no line break and no comment mark, and unquoted ones no comma: only a
        // double quote taken for quoting can move where a value starts or ends.
        if (!sameColumn || read.Value != Text(written.Value)) {
            return PatchProblem::DoubleQuote;
        }
    }
    return std::nullopt;
}

}  // namespace kelvane
