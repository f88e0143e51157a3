#include "core/NearestFloat.h"

#include <cmath>
#include <limits>

namespace kelvane {

float NearestFloat(double value) {
    constexpr double kLargest = std::numeric_limits<float>::max();  // 0x1.fffffep+127
    // Halfway between the largest float and the next power of two: from there on, infinity.
    constexpr double kOverflow = 0x1.ffffffp+127;
    const double magnitude = std::fabs(value);
    if (magnitude > kLargest && !std::isnan(value)) {
        const float bound = magnitude >= kOverflow ? std::numeric_limits<float>::infinity()
                                                   : std::numeric_limits<float>::max();
        return std::signbit(value) ? -bound : bound;
    }
    return static_cast<float>(value);
}

}  // namespace kelvane
