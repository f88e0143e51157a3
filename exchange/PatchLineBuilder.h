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
        Span Number;
        Span Value;
    };

    std::string_view Text(Span span) const {
        return std::string_view(line_).substr(span.At, span.Size);
    }

    std::string line_;
    Span key_;
    std::vector<WrittenPair> pairs_;
    ParsedPatchLine parsed_;
};

}  // namespace kelvane
