#include "exchange/PatchReadBackReport.h"

#include <algorithm>

#include "core/base/EchoText.h"

namespace kelvane {
namespace {

struct KindWords {
    std::string_view What;
    std::string_view Effect;
};

// In the order of PatchProblem.
constexpr std::array<KindWords, PatchProblemCount> kKindWords = {{
    {"values with a line break",
     "the line ends at the line break, and the rest is read as a line of its own"},
    {"values or keys with \";\" or \"//\"", "the reader skips such lines as comments"},
    {"values with a double quote at their start, after \"=\" or before a comma",
     "the reader takes it for quoting and misreads the values"},
    {"keys holding \":\"", "the key ends at the first \":\""},
    {"lines without a cell", "the table has no column but the key, and such lines fail"},
    {"keys that repeat",
     "every line after the first with the same key would change the first record instead"},
    {"texts with blanks or control characters at either end",
     "a text patched in is saved without them"},
    {"floats whose text reads back as another 32-bit value",
     "the value was typed with more digits than the 15 written, and the text rounds to the "
     "32-bit float beside it"},
}};

std::string KindLine(const KindWords& words, const PatchReadBackReport::Kind& kind) {
    const bool one = kind.Lines == 1;
    return "- " + std::string(words.What) + ": " + std::to_string(kind.Lines) +
           (one ? " line (key " : " lines (keys ") + QuotedList(kind.FirstKeys) +
           (kind.MoreKeys ? " and more" : "") + "); " + std::string(words.Effect);
}

}  // namespace

void PatchReadBackReport::Count(PatchProblem problem, std::string_view key) {
    Kind& kind = kinds_[static_cast<size_t>(problem)];
    ++kind.Lines;
    if (std::find(kind.FirstKeys.begin(), kind.FirstKeys.end(), key) != kind.FirstKeys.end()) {
        return;
    }
    if (kind.FirstKeys.size() < KeysShown) {
        kind.FirstKeys.emplace_back(key);
    } else {
        kind.MoreKeys = true;
    }
}

int PatchReadBackReport::ProblemCount() const {
    int count = 0;
    for (const Kind& kind : kinds_) {
        count += kind.Lines;
    }
    return count;
}

std::string PatchReadBackReport::Warning(std::string_view heading) const {
    if (ProblemCount() == 0) {
        return {};
    }
    std::string warning(heading);
    for (size_t i = 0; i < kinds_.size(); ++i) {
        if (kinds_[i].Lines > 0) {
            warning += '\n' + KindLine(kKindWords[i], kinds_[i]);
        }
    }
    return warning;
}

}  // namespace kelvane
