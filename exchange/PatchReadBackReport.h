#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

// Why an exported patch line would not come back as written when the file is applied.
enum class PatchProblem {
    LineBreak,    // a CR or LF in a value or the key: the reader takes the line as two
    CommentMark,  // ";" or "//" anywhere: the reader skips the line as a comment
    DoubleQuote,  // a double quote the reader takes for quoting, so values are misread
    ColonInKey,   // the key ends at its first ":"
    NoCell,       // nothing after the key: a table of the key column alone
    RepeatedKey,  // an earlier line has the key: this one would change that record instead
    TrimmedText,  // blanks at either end or past 4000 characters: a text patched in loses them
    FloatBits,    // the float's 15-digit text reads back as the 32-bit float beside its own
};
inline constexpr size_t PatchProblemCount = 8;

// What an export found in its own lines, kind by kind, with the keys of the first few lines.
class PatchReadBackReport {
  public:
    static constexpr size_t KeysShown = 5;

    struct Kind {
        int Lines = 0;
        std::vector<std::string> FirstKeys;  // each key once
        bool MoreKeys = false;               // keys beyond FirstKeys
    };

    void Count(PatchProblem problem, std::string_view key);
    const Kind& Of(PatchProblem problem) const { return kinds_[static_cast<size_t>(problem)]; }
    // The problems found, a line with two of them counted twice; 0 when every line comes back.
    int ProblemCount() const;
    // "" when every line comes back; otherwise a message for the user, a line per kind, under
    // the heading.
    std::string Warning(std::string_view heading =
                            "Some exported lines will not come back as they were "
                            "written:") const;

  private:
    std::array<Kind, PatchProblemCount> kinds_;
};

}  // namespace kelvane
