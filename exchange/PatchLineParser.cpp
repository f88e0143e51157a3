#include "exchange/PatchLineParser.h"

#include <algorithm>

#include "core/base/ValueText.h"

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

constexpr size_t kNone = std::string_view::npos;

// What one pass over the start of the rest of a line finds: the comma that ends the pair (if
// any), and before it the first "=" and the first "=" followed by a double quote. Pairs are a
// few characters long, so one plain loop beats a search call for each of these.
struct PairScan {
    size_t Comma = kNone;
    size_t Equals = kNone;
    size_t QuotedValue = kNone;  // where '="' starts
};

PairScan ScanPair(std::string_view rest) {
    PairScan scan;
    for (size_t i = 0; i < rest.size(); ++i) {
        const char c = rest[i];
        if (c == ',') {
            scan.Comma = i;
            break;
        }
        if (c == '=') {
            if (scan.Equals == kNone) {
                scan.Equals = i;
            }
            if (scan.QuotedValue == kNone && i + 1 < rest.size() && rest[i + 1] == '"') {
                scan.QuotedValue = i;
            }
        }
    }
    return scan;
}

// A pair split at its first "="; without one, the column number is empty, which makes the pair
// fail.
PatchPairText SplitAtEquals(std::string_view pair, size_t equals) {
    if (equals == kNone) {
        return {std::string_view(), pair};
    }
    return {pair.substr(0, equals), pair.substr(equals + 1)};
}

// The pair that runs to the end of the line: a value opened by a double quote loses one
// closing double quote.
PatchPairText LastPair(std::string_view pair, const PairScan& scan) {
    if (scan.QuotedValue == kNone) {
        return SplitAtEquals(pair, scan.Equals);
    }
    std::string_view value = pair.substr(scan.QuotedValue + kQuotedValueStart.size());
    if (value.ends_with('"')) {
        value.remove_suffix(1);
    }
    return {pair.substr(0, scan.Equals), value, true};
}

void SplitPairs(std::string_view rest, std::vector<PatchPairText>& pairs) {
    for (;;) {
        // Without a comma the scan has seen the whole rest, so its finds hold for the rest.
        const PairScan scan = ScanPair(rest);
        if (scan.Comma == kNone) {
            pairs.push_back(LastPair(rest, scan));
            return;
        }
        if (scan.QuotedValue == kNone) {
            pairs.push_back(SplitAtEquals(rest.substr(0, scan.Comma), scan.Equals));
            rest.remove_prefix(scan.Comma + 1);
            continue;
        }
        const size_t end = rest.find(kQuotedValueEnd);
        if (end == kNone) {
            pairs.push_back(LastPair(rest, scan));
            return;
        }
        // The closing double quote may be the opening one ('1=",'): the value is then empty.
        const size_t valueStart = std::min(scan.QuotedValue + kQuotedValueStart.size(), end);
        pairs.push_back(
            {rest.substr(0, scan.Equals), rest.substr(valueStart, end - valueStart), true});
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
    return ParseIntegerText(text);
}

}  // namespace kelvane
