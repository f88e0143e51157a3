#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelvane {

inline constexpr size_t DbcHeaderSize = 20;
inline constexpr std::string_view DbcMagic = "WDBC";
inline constexpr uint32_t MaxStringBlockSize = 16 * 1024 * 1024;

// The 20-byte header at the start of every DBC file: "WDBC" and four little-endian counts.
struct DbcHeader {
    int32_t RecordCount = 0;
    int32_t FieldCount = 0;
    int32_t RecordSize = 0;
    int32_t StringBlockSize = 0;
};

// A record of a table with byte fields: WholeCellCount 4-byte cells, then ByteCellCount
// 1-byte cells.
struct ByteFieldSplit {
    int WholeCellCount = 0;
    int ByteCellCount = 0;
    bool operator==(const ByteFieldSplit&) const = default;
};

// The split of a record of RecordSize bytes into FieldCount cells, when one exists and the
// record is not simply 4 x FieldCount bytes.
std::optional<ByteFieldSplit> SplitByteFields(int32_t fieldCount, int32_t recordSize);

// The four counts of a header; bytes holds at least DbcHeaderSize bytes (the magic is not
// checked here).
DbcHeader ParseDbcHeader(std::string_view bytes);

// Appends "WDBC" and the four counts.
void AppendDbcHeader(std::string& bytes, const DbcHeader& header);

}  // namespace kelvane
