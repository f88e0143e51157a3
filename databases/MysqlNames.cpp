#include "databases/MysqlNames.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "core/base/EchoText.h"
#include "core/base/TextUtil.h"
#include "core/base/Utf8.h"
#include "databases/MysqlText.h"
#include "databases/SqlTableShape.h"

namespace kelvane {
namespace {

constexpr size_t kLongestName = 64;  // characters

size_t CharacterCount(std::string_view utf8) {
    return static_cast<size_t>(std::count_if(
        utf8.begin(), utf8.end(), [](char c) { return (static_cast<uint8_t>(c) & 0xC0) != 0x80; }));
}

std::string NameProblem(std::string_view name) {
    if (name.empty()) {
        return "is empty";
    }
    // MySQL would take a line break inside back-quotes, but the dump's comments name the table
    // too, and a name that spans lines is no name anyone means.
    if (HoldsControlCharacter(name)) {
        return std::string(HoldsControlCharacterWords);
    }
    if (!IsUtf8(name)) {
        return "is not UTF-8 text";
    }
    // Four-byte sequences: characters beyond U+FFFF.
    if (std::any_of(name.begin(), name.end(),
                    [](char c) { return static_cast<uint8_t>(c) >= 0xF0; })) {
        return "holds a character MySQL does not take in names";
    }
    if (name.back() == ' ') {
        return "ends in a blank";
    }
    if (CharacterCount(name) > kLongestName) {
        return "is longer than 64 characters";
    }
    return "";
}

}  // namespace

std::string MysqlNameProblem(const SqlTableShape& shape) {
    if (const std::string problem = NameProblem(shape.Name); !problem.empty()) {
        return "the table name " + MysqlName(EchoText(shape.Name)) +
               ", taken from the table's file name, " + problem;
    }
    for (const SqlColumn& column : shape.Columns) {
        if (const std::string problem = NameProblem(column.Name); !problem.empty()) {
            return "the column name " + MysqlName(EchoText(column.Name)) + " " + problem;
        }
    }
    return "";
}

}  // namespace kelvane
