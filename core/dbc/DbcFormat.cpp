#include "core/dbc/DbcFormat.h"

#include <array>

#include "core/base/LittleEndian.h"

namespace kelvane {

std::optional<ByteFieldSplit> SplitByteFields(int32_t fieldCount, int32_t recordSize) {
    // 4 x whole + bytes = recordSize and whole + bytes = fieldCount, with neither negative
    // and at least one byte cell.
    const int64_t fields = fieldCount;
    const int64_t size = recordSize;
    if (fields > size || size >= 4 * fields || (size - fields) % 3 != 0) {
        return std::nullopt;
    }
    const auto whole = static_cast<int>((size - fields) / 3);
    return ByteFieldSplit{whole, fieldCount - whole};
}

DbcHeader ParseDbcHeader(std::string_view bytes) {
    auto count = [&](size_t offset) {
        return static_cast<int32_t>(LoadUint32Le(bytes.data() + offset));
    };
    return DbcHeader{count(4), count(8), count(12), count(16)};
}

void AppendDbcHeader(std::string& bytes, const DbcHeader& header) {
    bytes.append(DbcMagic);
    for (int32_t count :
         {header.RecordCount, header.FieldCount, header.RecordSize, header.StringBlockSize}) {
        std::array<char, 4> cell{};
        StoreUint32Le(cell.data(), static_cast<uint32_t>(count));
        bytes.append(cell.data(), cell.size());
    }
}

}  // namespace kelvane
