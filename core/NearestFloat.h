#pragma once

namespace kelvane {

// The 32-bit float a save writes for a float cell: the nearest one, as the hardware rounds,
// without the undefined behaviour of converting a double beyond the float range. A NaN keeps
// its sign and the top bits of its payload.
float NearestFloat(double value);

}  // namespace kelvane
