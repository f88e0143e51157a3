#include "core/base/CellTextErrors.h"

#include <cmath>
#include <limits>

#include "core/base/EchoText.h"
#include "core/base/KelvaneError.h"

namespace kelvane {
namespace {

std::string ForField(const std::string& caption) {
    return caption.empty() ? std::string() : " for field '" + caption + "'";
}

}  // namespace

void ThrowNotIntegerForField(std::string_view text, const std::string& caption) {
    throw KelvaneError("'" + EchoText(text) + "' is not a valid integer value" + ForField(caption));
}

void ThrowNotFloatForField(std::string_view text, const std::string& caption) {
    throw KelvaneError("'" + EchoText(text) + "' is not a valid floating point value" +
                       ForField(caption));
}

void RequireFloatRange(double value, std::string_view written, const std::string& caption) {
    if (!std::isfinite(value) || value == 0) {
        return;  // infinities and NaNs are floats' own values, kept bit for bit
    }
    // Halfway between the largest float and the next power of two: from there on a save rounds
    // to infinity. Below half the smallest subnormal float it rounds to 0.
    constexpr double kOverflow = 0x1.ffffffp+127;
    constexpr double kUnderflow = double{std::numeric_limits<float>::denorm_min()} / 2;
    const double magnitude = std::fabs(value);
    if (magnitude >= kOverflow) {
        throw KelvaneError("'" + EchoText(written) +
                           "' is beyond the range of a 32-bit float (-3.4028235E38 to "
                           "3.4028235E38)" +
                           ForField(caption));
    }
    if (magnitude <= kUnderflow) {
        throw KelvaneError("'" + EchoText(written) +
                           "' is nearer to 0 than the smallest 32-bit float (1.4E-45)" +
                           ForField(caption) + ", so it would be saved as 0");
    }
}

void RequireTextWithoutNul(std::string_view text, const std::string& caption) {
    const size_t nul = text.find('\0');
    if (nul == std::string_view::npos) {
        return;
    }
    throw KelvaneError(
        "the text" + ForField(caption) + " holds a NUL byte after " + std::to_string(nul) +
        (nul == 1 ? " byte" : " bytes") + " ('" + EchoText(text) +
        "'), and a NUL ends a text in a DBC file, so it could not be saved as it is");
}

}  // namespace kelvane
