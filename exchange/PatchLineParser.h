#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace kelvane {

// One "column=value" pair of a patch line, as views into the line.
struct PatchPairText {
    std::string_view Column;
    std::string_view Value;
    bool Quoted = false;  // the value was taken from between double quotes
};

enum class PatchLineForm {
    Skipped,  // holds ";" or "//" anywhere, or nothing but blanks
    NoColon,  // text without the ":" that ends a key
    KeyAndPairs
};

// A line split the way the patch reader takes it apart; the views point into the line.
struct ParsedPatchLine {
    PatchLineForm Form = PatchLineForm::Skipped;
    std::string_view Key;
    std::vector<PatchPairText> Pairs;
};

// Splits one line (without its line end). The pairs vector is reused, so parsing line after
// line into the same object allocates only while lines grow longer.
//
// The format escapes nothing: a value holding a comma is written in double quotes, and such a
// value ends at the first double quote followed by a comma. Whatever text follows is read by
// the same rules, so lines the writer never makes still split in one defined way.
void ParsePatchLine(std::string_view line, ParsedPatchLine& parsed);

// The number of a pair's column: decimal, or hexadecimal after "$", "x" or "0x", like an
// integer cell; empty text is no number here.
std::optional<int32_t> PatchColumnNumber(std::string_view text);

}  // namespace kelvane
