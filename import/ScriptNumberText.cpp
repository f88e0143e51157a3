#include "import/ScriptNumberText.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "core/base/ValueText.h"

namespace kelvane {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The parts of a number that passed the float rule, digits only.
struct DecimalParts {
    bool Negative = false;
    std::string_view Whole;
    std::string_view Fraction;
    bool ExponentNegative = false;
    std::string_view Exponent;
};

class Scanner {
  public:
    explicit Scanner(std::string_view text) : text_(text) {}

    bool AtEnd() const { return at_ == text_.size(); }
    bool Take(char c) {
        if (!AtEnd() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }
    std::string_view TakeDigits() {
        const size_t start = at_;
        while (!AtEnd() && IsDigit(text_[at_])) {
            ++at_;
        }
        return text_.substr(start, at_ - start);
    }
    void SkipBlanks() {
        while (Take(' ')) {
        }
    }

  private:
    std::string_view text_;
    size_t at_ = 0;
};

std::optional<DecimalParts> ScanDecimal(std::string_view text) {
    Scanner scan(text);
    DecimalParts parts;
    scan.SkipBlanks();
    parts.Negative = scan.Take('-');
    if (!parts.Negative) {
        scan.Take('+');
    }
    parts.Whole = scan.TakeDigits();
    const bool point = scan.Take('.');
    parts.Fraction = scan.TakeDigits();
    if (parts.Whole.empty() && !point) {
        return std::nullopt;
    }
    if (scan.Take('e') || scan.Take('E')) {
        parts.ExponentNegative = scan.Take('-');
        if (!parts.ExponentNegative) {
            scan.Take('+');
        }
        parts.Exponent = scan.TakeDigits();
        if (parts.Exponent.empty()) {
            return std::nullopt;
        }
    }
    scan.SkipBlanks();
    if (!scan.AtEnd()) {
        return std::nullopt;
    }
    return parts;
}

// Whether a number that does not fit a float is too small rather than too large: it has no
// significant digit, or the power of ten of its first one is negative.
bool IsTooSmall(const DecimalParts& parts) {
    const std::string digits = std::string(parts.Whole) + std::string(parts.Fraction);
    const size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) {
        return true;
    }
    int64_t exponent = 0;
    for (char c : parts.Exponent) {
        // Far beyond any float either way; stop before the sum could overflow.
        exponent = std::min<int64_t>(exponent * 10 + (c - '0'), int64_t{1} << 40);
    }
    const int64_t power = static_cast<int64_t>(parts.Whole.size()) - static_cast<int64_t>(first) -
                          1 + (parts.ExponentNegative ? -exponent : exponent);
    return power < 0;
}

}  // namespace

std::optional<int32_t> ReadScriptInteger(std::string_view text) {
    if (!text.starts_with('0')) {
        return ParseIntegerText(text);
    }
    uint32_t pattern = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), pattern, 16);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return static_cast<int32_t>(pattern);
}

std::optional<float> ReadScriptFloat(std::string_view text) {
    const std::optional<DecimalParts> parts = ScanDecimal(text);
    if (!parts) {
        return std::nullopt;
    }
    // from_chars reads the same digits without the locale; it wants no "+" and no lone ".".
    std::string plain = parts->Negative ? "-" : "";
    plain += parts->Whole.empty() ? std::string_view("0") : parts->Whole;
    plain += '.';
    plain += parts->Fraction;
    if (!parts->Exponent.empty()) {
        plain += parts->ExponentNegative ? "e-" : "e";
        plain += parts->Exponent;
    }
    float value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error == std::errc::result_out_of_range) {
        if (!IsTooSmall(*parts)) {
            return std::nullopt;
        }
        return parts->Negative ? -0.0f : 0.0f;
    }
    if (error != std::errc() || end != plain.data() + plain.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace kelvane
