#include "import/ScriptNumbers.h"

#include <optional>

#include "core/base/TextUtil.h"
#include "core/base/ValueText.h"
#include "import/ScriptNumberText.h"

namespace kelvane {
namespace {

// Where the value of a trimmed line starts: after its first "=", or at its start without one.
size_t ValueStart(std::string_view text) {
    const size_t equals = text.find('=');
    return equals == std::string_view::npos ? 0 : equals + 1;
}

// Where a value ends: at the first of the cut characters found at or after from, or at the end
// of the text. A cut character that starts the text cuts nothing.
size_t CutEnd(std::string_view text, size_t from, std::string_view cuts) {
    size_t end = text.size();
    for (char cut : cuts) {
        const size_t at = text.find(cut, from);
        if (at != std::string_view::npos && at >= 1 && at < end) {
            end = at;
        }
    }
    return end;
}

std::string_view Between(std::string_view text, size_t begin, size_t end) {
    return begin < end ? text.substr(begin, end - begin) : std::string_view();
}

// An integer of a pair. Only a "0" that starts the untrimmed piece makes it hexadecimal, so
// ' 010' is decimal.
std::optional<int32_t> ReadPairPiece(std::string_view piece) {
    const std::string_view trimmed = TrimBlanks(piece);
    return piece.starts_with('0') ? ReadScriptInteger(trimmed) : ParseIntegerText(trimmed);
}

}  // namespace

int32_t IntegerValue(std::string_view line) {
    const std::string_view text = TrimBlanks(line);
    const std::string_view value = Between(text, ValueStart(text), CutEnd(text, 0, " /\t,"));
    return ReadScriptInteger(value).value_or(0);
}

IntegerPair ReadIntegerPair(std::string_view line) {
    const std::string_view text = TrimBlanks(line);
    const size_t end = CutEnd(text, 0, ",/\t");
    IntegerPair pair;
    const std::optional<int32_t> first = ReadPairPiece(Between(text, ValueStart(text), end));
    if (!first) {
        return pair;
    }
    pair.First = *first;
    pair.Second = ReadPairPiece(Between(text, end + 1, text.size())).value_or(0);
    return pair;
}

float FloatValue(std::string_view line) {
    const std::string_view text = TrimBlanks(line);
    return ReadScriptFloat(Between(text, ValueStart(text), CutEnd(text, 0, " /\t"))).value_or(-1);
}

float LootChance(std::string_view line) {
    const std::string_view text = TrimBlanks(line);
    const size_t blank = text.find(' ');
    return ReadScriptFloat(blank == std::string_view::npos ? text : text.substr(blank + 1))
        .value_or(-1);
}

std::array<float, 4> FloatQuad(std::string_view line, QuadSeparator separator) {
    const std::string_view text = TrimBlanks(line);
    const char cuts[] = {static_cast<char>(separator), '/', '\t'};
    std::array<float, 4> numbers{};
    size_t at = ValueStart(text);
    for (float& number : numbers) {
        const size_t end = CutEnd(text, at, std::string_view(cuts, sizeof cuts));
        std::string_view piece = Between(text, at, end);
        if (separator == QuadSeparator::Comma) {
            piece = TrimBlanks(piece);
        }
        number = ReadScriptFloat(piece).value_or(0);
        at = end + 1;
    }
    return numbers;
}

}  // namespace kelvane
