#include "exchange/PatchLineParser.h"

#include <algorithm>

#include "core/ValueText.h"

namespace kelvane {
namespace {

constexpr std::string_view kQuotedValueStart = "=\"";
constexpr std::string_view kQuotedValueEnd = "\",";

bool IsCommentLine(std::string_view line) {
    return line.find(';') != std::string_view::npos || line.find("//") != std::string_view::npos;
}

bool IsBlankLine(std::string_view line) {
    return std::all_of(line.begin(), line.end(),
                       [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

// The text of a pair after its first "=", or, when there is none, the empty column number
// that makes the pair fail.
PatchPairText SplitAtEquals(std::string_view pair) {
    const size_t equals = pair.find('=');
    if (equals == std::string_view::npos) {
        return {std::string_view(), pair};
    }
    return {pair.substr(0, equals), pair.substr(equals + 1)};
}

// The pair that runs to the end of the line: a value opened by a double quote loses one
// closing double quote.
PatchPairText LastPair(std::string_view pair) {
    const size_t quoted = pair.find(kQuotedValueStart);
    if (quoted == std::string_view::npos) {
        return SplitAtEquals(pair);
    }
    std::string_view value = pair.substr(quoted + kQuotedValueStart.size());
    if (value.ends_with('"')) {
        value.remove_suffix(1);
    }
    return {SplitAtEquals(pair).Column, value};
}

void SplitPairs(std::string_view rest, std::vector<PatchPairText>& pairs) {
    for (;;) {
        const size_t comma = rest.find(',');
        if (comma == std::string_view::npos) {
            pairs.push_back(LastPair(rest));
            return;
        }
        const size_t quoted = rest.substr(0, comma).find(kQuotedValueStart);
        if (quoted == std::string_view::npos) {
            pairs.push_back(SplitAtEquals(rest.substr(0, comma)));
            rest.remove_prefix(comma + 1);
            continue;
        }
        const size_t end = rest.find(kQuotedValueEnd);
        if (end == std::string_view::npos) {
            pairs.push_back(LastPair(rest));
            return;
        }
        // The closing double quote may be the opening one ('1=",'): the value is then empty.
        const size_t valueStart = std::min(quoted + kQuotedValueStart.size(), end);
        pairs.push_back(
            {SplitAtEquals(rest.substr(0, end)).Column, rest.substr(valueStart, end - valueStart)});
        rest.remove_prefix(end + kQuotedValueEnd.size());
    }
}

}  // namespace

void ParsePatchLine(std::string_view line, ParsedPatchLine& parsed) {
    parsed.Key = {};
    parsed.Pairs.clear();
    if (IsCommentLine(line) || IsBlankLine(line)) {
        parsed.Form = PatchLineForm::Skipped;
        return;
    }
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos) {
        parsed.Form = PatchLineForm::NoColon;
        return;
    }
    parsed.Form = PatchLineForm::KeyAndPairs;
    parsed.Key = line.substr(0, colon);
    SplitPairs(line.substr(colon + 1), parsed.Pairs);
}

std::optional<int32_t> PatchColumnNumber(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    return ParseIntegerText(text);
}

}  // namespace kelvane
