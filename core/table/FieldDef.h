#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/table/FieldKind.h"

namespace kelvane {

// A table has at most this many fields besides its Index column.
inline constexpr int MaxFieldCount = 2000;
inline constexpr int FieldDefCapacity = MaxFieldCount + 1;

// What one DBC field is called, how its column is typed, whether it shows in hexadecimal and
// how wide its cell is in the file.
struct FieldDef {
    int32_t Number = 0;
    std::string Name;
    std::string KindText;  // as read from or written to a field-definition file
    FieldKind Kind = FieldKind::ftInteger;
    bool Hex = false;
    // 8, 16 or 32 when the definitions give the cell's size; 0 when they do not, and the
    // record size decides.
    int Bits = 0;
};

// The cell sizes a field may be given, in bits.
inline bool IsFieldSize(int bits) {
    return bits == 8 || bits == 16 || bits == 32;
}

// Entry i describes DBC field i, that is table column i + 1. Entries are overwritten, never
// cleared: those past the current field count keep what an earlier table left there.
class FieldDefList {
  public:
    FieldDef& operator[](int index) { return entries_.at(static_cast<size_t>(index)); }
    const FieldDef& operator[](int index) const { return entries_.at(static_cast<size_t>(index)); }
    static constexpr int Capacity() { return FieldDefCapacity; }

  private:
    std::array<FieldDef, FieldDefCapacity> entries_{};
};

}  // namespace kelvane
