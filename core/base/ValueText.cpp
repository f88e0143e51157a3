#include "core/base/ValueText.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>

#include "core/base/DecimalSeparator.h"
#include "core/base/EchoText.h"
#include "core/base/KelvaneError.h"
#include "core/base/NearestFloat.h"
#include "core/base/TextUtil.h"

namespace kelvane {
namespace {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::optional<uint32_t> ParseHexPattern(std::string_view digits) {
    if (digits.empty()) {
        return std::nullopt;
    }
    uint64_t pattern = 0;
    for (char c : digits) {
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            return std::nullopt;
        }
        pattern = pattern * 16 + static_cast<uint64_t>(digit);
        if (pattern > 0xFFFFFFFFu) {
            return std::nullopt;
        }
    }
    return static_cast<uint32_t>(pattern);
}

std::optional<std::string_view> StripHexPrefix(std::string_view text) {
    for (std::string_view prefix : {"0x", "0X", "$", "x", "X"}) {
        if (text.starts_with(prefix)) {
            return text.substr(prefix.size());
        }
    }
    return std::nullopt;
}

bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

// Up to nine digits after an optional minus: what nearly every integer text is, read in one
// pass. Such a number always fits, so no other rule can change it.
std::optional<int32_t> PlainDecimal(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    const std::string_view digits = text.substr(negative ? 1 : 0);
    constexpr size_t kMostDigits = 9;
    if (digits.empty() || digits.size() > kMostDigits) {
        return std::nullopt;
    }
    int32_t value = 0;
    for (const char c : digits) {
        if (!IsAsciiDigit(c)) {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

constexpr uint32_t kPlainNan = 0x7FC00000u;  // the NaN of "NAN": quiet, no payload, no sign
constexpr std::string_view kNanText = "NAN";
constexpr std::string_view kNanPatternStart = "NAN(0X";

// Any NaN but the plain one goes with its 32-bit pattern, "NAN(0x7FC00001)", so that a text
// carries every float of a file.
std::string NanText(double value) {
    const auto pattern = std::bit_cast<uint32_t>(NearestFloat(value));
    if (pattern == kPlainNan) {
        return std::string(kNanText);
    }
    // A NaN's exponent bits make every pattern eight digits long.
    return "NAN(0x" + HexDisplayText(static_cast<int32_t>(pattern)) + ")";
}

// "NAN(0x...)" of upper-case text: the pattern must be a NaN's.
std::optional<double> ParseNanPattern(std::string_view upper) {
    if (!upper.starts_with(kNanPatternStart) || !upper.ends_with(')')) {
        return std::nullopt;
    }
    const std::optional<uint32_t> pattern = ParseHexPattern(
        upper.substr(kNanPatternStart.size(), upper.size() - kNanPatternStart.size() - 1));
    if (!pattern || !std::isnan(std::bit_cast<float>(*pattern))) {
        return std::nullopt;
    }
    return WidenNan(std::bit_cast<float>(*pattern));
}

// A C hexadecimal float without its sign, "0x1.8p+1": an exact spelling of any float, which
// SQLite keeps as text where it would take "-0" for the number 0. The binary exponent is
// required, as in C, so "0x10" is no float.
std::optional<double> ParseHexFloat(std::string_view text) {
    if (!text.starts_with("0x") && !text.starts_with("0X")) {
        return std::nullopt;
    }
    const std::string_view digits = text.substr(2);
    const bool startsWithDigit =
        !digits.empty() && (HexDigitValue(digits.front()) >= 0 || digits.front() == '.');
    if (!startsWithDigit || digits.find_first_of("pP") == std::string_view::npos) {
        return std::nullopt;
    }
    double value = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                        std::chars_format::hex);
    if (result.ec != std::errc() || result.ptr != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::string IntegerText(int32_t value) {
    return std::to_string(value);
}

std::optional<int32_t> ParseIntegerText(std::string_view text) {
    if (const auto plain = PlainDecimal(text)) {
        return plain;
    }
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (const auto hexDigits = StripHexPrefix(text)) {
        const auto pattern = ParseHexPattern(*hexDigits);
        // A pattern is any 32 bits, but a negated one must be a number: "-0x80000001" is
        // beyond the range as "-2147483649" is, not the pattern of 2147483647.
        constexpr uint32_t kLargestNegated = 0x80000000u;
        if (!pattern || (negative && *pattern > kLargestNegated)) {
            return std::nullopt;
        }
        const uint32_t magnitude = negative ? 0u - *pattern : *pattern;
        return static_cast<int32_t>(magnitude);
    }
    if (text.empty() || !std::all_of(text.begin(), text.end(), IsAsciiDigit)) {
        return std::nullopt;
    }
    int64_t value = 0;
    for (char c : text) {
        value = value * 10 + (c - '0');
        if (value > int64_t{1} << 31) {
            return std::nullopt;
        }
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

std::string FloatText(double value) {
    if (std::isnan(value)) {
        return NanText(value);
    }
    if (std::isinf(value)) {
        return value < 0 ? "-INF" : "INF";
    }
    if (value == 0) {
        return std::signbit(value) ? "-0" : "0";
    }
    // Fifteen significant digits, rounded: d.dddddddddddddde±x.
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::scientific, 14);
    const std::string_view scientific(buffer, static_cast<size_t>(result.ptr - buffer));
    const size_t exponentAt = scientific.find('e');
    std::string digits;
    for (char c : scientific.substr(0, exponentAt)) {
        if (IsAsciiDigit(c)) {
            digits += c;
        }
    }
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
    int exponent = 0;
    std::from_chars(scientific.data() + exponentAt + 1 + (scientific[exponentAt + 1] == '+'),
                    scientific.data() + scientific.size(), exponent);

    const char separator = DecimalSeparator();
    std::string text = value < 0 ? "-" : "";
    if (exponent >= -4 && exponent < 15) {
        if (exponent >= 0) {
            const size_t integerDigits = static_cast<size_t>(exponent) + 1;
            if (digits.size() <= integerDigits) {
                text += digits + std::string(integerDigits - digits.size(), '0');
            } else {
                text += digits.substr(0, integerDigits) + separator + digits.substr(integerDigits);
            }
        } else {
            text += std::string("0") + separator +
                    std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
        }
        return text;
    }
    text += digits.substr(0, 1);
    if (digits.size() > 1) {
        text += separator + digits.substr(1);
    }
    return text + "E" + std::to_string(exponent);
}

std::optional<double> ParseFloatText(std::string_view text) {
    text = TrimBlanks(text);
    const std::string upper = UpperCase(text);
    if (upper == kNanText) {
        return WidenNan(std::bit_cast<float>(kPlainNan));
    }
    if (upper.starts_with(kNanText)) {
        return ParseNanPattern(upper);
    }
    if (upper == "INF" || upper == "+INF" || upper == "-INF") {
        const double infinity = std::numeric_limits<double>::infinity();
        return upper == "-INF" ? -infinity : infinity;
    }
    // Normalise to the form from_chars reads: "." as separator, no leading "+".
    std::string normal;
    normal.reserve(text.size());
    const char separator = DecimalSeparator();
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '+' && i == 0) {
            continue;
        }
        normal += (c == separator ? '.' : c);
    }
    const bool negative = normal.starts_with('-');
    if (const std::optional<double> hex =
            ParseHexFloat(std::string_view(normal).substr(negative))) {
        return negative ? -*hex : *hex;
    }
    // from_chars would also take "inf", "nan" and hexadecimal forms; only plain numbers pass.
    const bool plainNumber = !normal.empty() &&
                             normal.find_first_not_of("0123456789.eE+-") == std::string::npos &&
                             std::any_of(normal.begin(), normal.end(), IsAsciiDigit);
    if (!plainNumber) {
        return std::nullopt;
    }
    double value = 0;
    const auto result = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (result.ec == std::errc::invalid_argument || result.ptr != normal.data() + normal.size()) {
        return std::nullopt;
    }
    if (result.ec == std::errc::result_out_of_range) {
        return std::nullopt;
    }
    return value;
}

std::string HexDisplayText(int32_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    uint32_t pattern = static_cast<uint32_t>(value);
    std::string text;
    do {
        text.insert(text.begin(), kDigits[pattern & 0xF]);
        pattern >>= 4;
    } while (pattern != 0);
    return text;
}

int32_t TextToInteger(std::string_view text) {
    if (const std::optional<int32_t> value = ParseIntegerText(text)) {
        return *value;
    }
    throw KelvaneError("'" + EchoText(text) + "' is not a valid integer value");
}

int32_t ParseHexEntry(std::string_view typed) {
    const std::string entry = "$" + std::string(TrimBlanks(typed));
    const auto pattern = ParseHexPattern(std::string_view(entry).substr(1));
    if (!pattern) {
        throw KelvaneError("'" + EchoText(entry) + "' is not a valid integer value");
    }
    return static_cast<int32_t>(*pattern);
}

std::optional<int32_t> RoundToInteger(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const double rounded = std::nearbyint(value);  // the default rounding mode: halves to even
    if (rounded < std::numeric_limits<int32_t>::min() ||
        rounded > std::numeric_limits<int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int32_t>(rounded);
}

}  // namespace kelvane
