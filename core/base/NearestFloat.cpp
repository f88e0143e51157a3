#include "core/base/NearestFloat.h"

#include <bit>
#include <cstdint>
#include <limits>

namespace kelvane {
namespace {

constexpr uint32_t kFloatExponent = 0x7F800000u;
constexpr uint32_t kFloatPayload = 0x007FFFFFu;
constexpr uint32_t kFloatQuietBit = 0x00400000u;
constexpr uint64_t kDoubleExponent = 0x7FF0000000000000u;
constexpr uint64_t kDoublePayload = 0x000FFFFFFFFFFFFFu;
// A float's 23 payload bits are the top 23 of a double's 52.
constexpr int kPayloadShift = 52 - 23;

float NarrowNan(double nan) {
    const auto bits = std::bit_cast<uint64_t>(nan);
    uint32_t payload = static_cast<uint32_t>((bits & kDoublePayload) >> kPayloadShift);
    // A payload in the low bits alone would leave the bits of infinity: the hardware gives the
    // quiet NaN then.
    if (payload == 0) {
        payload = kFloatQuietBit;
    }
    const auto sign = static_cast<uint32_t>(bits >> 63) << 31;
    return std::bit_cast<float>(sign | kFloatExponent | payload);
}

}  // namespace

double WidenNan(float nan) {
    const auto bits = std::bit_cast<uint32_t>(nan);
    const uint64_t sign = static_cast<uint64_t>(bits >> 31) << 63;
    const uint64_t payload = static_cast<uint64_t>(bits & kFloatPayload) << kPayloadShift;
    return std::bit_cast<double>(sign | kDoubleExponent | payload);
}

float NearestFloat(double value) {
    if (std::isnan(value)) {
        return NarrowNan(value);
    }
    constexpr double kLargest = std::numeric_limits<float>::max();  // 0x1.fffffep+127
    // Halfway between the largest float and the next power of two: from there on, infinity.
    constexpr double kOverflow = 0x1.ffffffp+127;
    const double magnitude = std::fabs(value);
    if (magnitude > kLargest) {
        const float bound = magnitude >= kOverflow ? std::numeric_limits<float>::infinity()
                                                   : std::numeric_limits<float>::max();
        return std::signbit(value) ? -bound : bound;
    }
    return static_cast<float>(value);
}

}  // namespace kelvane
