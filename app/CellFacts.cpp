#include "app/CellFacts.h"

#include <bit>
#include <cstdint>
#include <cstdio>

#include "core/base/NearestFloat.h"
#include "core/base/ValueText.h"
#include "core/table/RecordTable.h"

namespace kelvane {
namespace {

std::string HexBits(uint32_t bits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", bits);
    return text;
}

}  // namespace

std::vector<std::string> CellFacts(const RecordTable& table, int row, int column) {
    switch (table.ColumnKind(column)) {
        case FieldKind::ftString:
            return {"Length: " + std::to_string(table.StringAt(row, column).size())};
        case FieldKind::ftInteger: {
            if (table.IsBlank(row, column)) {
                return {"Blank"};
            }
            const int32_t value = table.IntegerAt(row, column);
            return {"Hexadecimal: " + HexBits(static_cast<uint32_t>(value)),
                    "Same bits as float: " + FloatText(WidenFloat(std::bit_cast<float>(value)))};
        }
        case FieldKind::ftFloat: {
            if (table.IsBlank(row, column)) {
                return {"Blank"};
            }
            // The file keeps floats in 32 bits, so those are the bits that matter.
            const float value = NearestFloat(table.FloatAt(row, column));
            return {"Bits: " + HexBits(std::bit_cast<uint32_t>(value)),
                    "Same bits as integer: " + IntegerText(std::bit_cast<int32_t>(value))};
        }
    }
    return {};
}

}  // namespace kelvane
