#pragma once

#include <cmath>

namespace kelvane {

// A table holds its float cells as doubles; these cross between a file's 32-bit floats and
// them. The hardware turns a signalling NaN into a quiet one on the way, so NaNs are carried by
// their bits instead: sign and payload both ways (the low payload bits a double has beyond a
// float's are dropped on the way back).

// The double of a 32-bit NaN with the same sign and payload.
double WidenNan(float nan);

// The double a table holds for a 32-bit float: the same number, or the NaN of the same bits.
inline double WidenFloat(float value) {
    return std::isnan(value) ? WidenNan(value) : value;
}

// The 32-bit float a save writes for a float cell: the nearest one, as the hardware rounds,
// without the undefined behaviour of converting a double beyond the float range.
float NearestFloat(double value);

}  // namespace kelvane
