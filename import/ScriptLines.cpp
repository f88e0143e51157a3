#include "import/ScriptLines.h"

#include <algorithm>
#include <utility>

#include "core/files/FileIo.h"
#include "core/files/TextFile.h"
#include "import/ScriptSyntax.h"

namespace kelvane {

ScriptLines::ScriptLines(std::string text) : text_(std::move(text)) {
    const size_t nul = text_.find('\0');
    const size_t ignored = nul == std::string::npos ? 0 : text_.size() - nul;
    text_.resize(text_.size() - ignored);
    lines_ = SplitTextLines(text_);
    if (ignored > 0) {
        // After a line end the NUL starts a line of its own, which splitting did not count.
        const bool startsLine = text_.empty() || text_.back() == '\n' || text_.back() == '\r';
        nulCut_ = ScriptNulCut{Count() + (startsLine ? 1 : 0), ignored};
    }
}

ScriptLines ScriptLines::Load(const std::string& path) {
    return ScriptLines(ReadWholeFile(path, NamedBy::User));
}

int ScriptLines::FindSectionStart(int from) const {
    for (int index = std::max(from, 0); index < Count(); ++index) {
        if (IsSectionHeader(Line(index))) {
            return index;
        }
    }
    return -1;
}

int ScriptLines::FindSectionEnd(int from) const {
    const int next = FindSectionStart(from);
    return (next < 0 ? Count() : next) - 1;
}

std::vector<ScriptSection> ScriptLines::Sections() const {
    std::vector<ScriptSection> sections;
    // Each search starts on the line after the previous header, so it finds the header that
    // ended the previous section.
    for (int header = FindSectionStart(0); header >= 0; header = FindSectionStart(header + 1)) {
        const int bodyBegin = header + 1;
        sections.push_back({header, bodyBegin, FindSectionEnd(bodyBegin) + 1});
    }
    return sections;
}

}  // namespace kelvane
