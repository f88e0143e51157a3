#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

// A section of a script file: its header line and the lines under it, up to the next header.
struct ScriptSection {
    int Header = 0;
    int BodyBegin = 0;  // the line after the header
    int BodyEnd = 0;    // one past the last body line; BodyBegin when the body is empty
};

// Where a NUL byte ended a script's text before the end of the file: the NUL's line (from 1)
// and the bytes from the NUL to the end, the NUL included, that were not read.
struct ScriptNulCut {
    int Line = 0;
    size_t BytesIgnored = 0;
    bool operator==(const ScriptNulCut&) const = default;
};

// The lines of one script file as read, untrimmed, 8-bit text in whatever code page it was
// written. Lines end at CR LF, CR or LF; a NUL byte ends the text, as it ends a C string.
//
// The lines are views into the text the object holds, so it is neither copied nor moved.
class ScriptLines {
  public:
    explicit ScriptLines(std::string text);
    ScriptLines(const ScriptLines&) = delete;
    ScriptLines& operator=(const ScriptLines&) = delete;

    // Fails with "Cannot open file "%s". %s".
    static ScriptLines Load(const std::string& path);

    int Count() const { return static_cast<int>(lines_.size()); }
    // Set when a NUL byte ended the text early.
    const std::optional<ScriptNulCut>& NulCut() const { return nulCut_; }
    std::string_view Line(int index) const { return lines_[static_cast<size_t>(index)]; }

    // The next header at or after from, or -1.
    int FindSectionStart(int from) const;
    // The last line of the section whose body starts at from: the line before the next
    // header, or the last line of the file.
    int FindSectionEnd(int from) const;
    // Every section in file order. Lines before the first header belong to none.
    std::vector<ScriptSection> Sections() const;

  private:
    std::string text_;
    std::vector<std::string_view> lines_;
    std::optional<ScriptNulCut> nulCut_;
};

}  // namespace kelvane
