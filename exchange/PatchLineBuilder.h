#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/PatchLineParser.h"
#include "exchange/PatchReadBackReport.h"

namespace kelvane {

class CellTexts;

// Writes patch lines from records and remembers where the key and each value went, so that a
// line can be read back with the reader's own parsing and compared with what it was meant to
// say. One builder serves line after line without allocating once its buffers are warm.
class PatchLineBuilder {
  public:
    // Starts a line for the record at the view row: its key column's text and ":".
    void Begin(CellTexts& cells, int row);
    // Appends ",", unless it is the first pair, then the pair of a table column: its column
    // number, "=" and the value text, in double quotes when it holds a comma.
    void AddPair(CellTexts& cells, int row, int column);
    // The value text of the pair added last, as written (without its quotes); there must be one.
    std::string_view LastValue() const { return Text(pairs_.back().Value); }
    // Takes the pair added last out of the line again.
    void DropLastPair();
    bool HasPairs() const { return !pairs_.empty(); }

    const std::string& Line() const { return line_; }
    std::string_view Key() const { return Text(key_); }
    // Why the reader would not take the line as the key and pairs that were written; nothing
    // when it would.
    std::optional<PatchProblem> ReadBackProblem();

  private:
    struct Span {
        size_t At = 0;
        size_t Size = 0;
    };
    struct WrittenPair {
        int ColumnNumber = 0;
        size_t Start = 0;  // where the pair begins, its "," included
        Span Number;
        Span Value;
    };

    // Appends "," unless it is the first pair, the column number and "="; returns where the
    // value starts.
    size_t StartPair(int column);
    // Puts the value written from valueStart on in double quotes when it holds a comma.
    void EndPair(int column, size_t valueStart, bool mayHoldComma);

    std::string_view Text(Span span) const {
        return std::string_view(line_).substr(span.At, span.Size);
    }

    std::string line_;
    Span key_;
    std::vector<WrittenPair> pairs_;
    ParsedPatchLine parsed_;
    // Where the pair being written begins, and where its column number does.
    size_t pairStart_ = 0;
    size_t numberStart_ = 0;
};

}  // namespace kelvane
