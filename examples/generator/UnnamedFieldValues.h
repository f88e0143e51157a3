#pragma once

#include <cstdint>
#include <vector>

#include "core/table/ColumnAllocator.h"

namespace kelvane {

class Random;
class SpellCatalog;

// Values for the fields nobody has named yet (those named by their number). Each field draws
// one sort of value and keeps to it, as such fields do: zeros, mostly zeros, small numbers,
// references, flags, one value per spell line, or mostly -1; floats: zeros, ones or fractions.
// One cell per record of the catalog.
void FillUnnamedIntegers(ColumnVector<int32_t>& cells, const SpellCatalog& catalog, Random& random);
void FillUnnamedFloats(ColumnVector<double>& cells, Random& random);

}  // namespace kelvane
