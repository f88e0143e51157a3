#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/dbc/DbcFormat.h"

namespace kelvane {

// Where the records and the string block of a DBC file lie, checked against its size. How a
// record divides into cells depends on the field definitions too (see CellLayout).
struct DbcLayout {
    DbcHeader Header;
    size_t RecordsOffset = DbcHeaderSize;
    size_t StringBlockOffset = 0;
};

// Checks the header of a file of fileSize bytes, given its first DbcHeaderSize bytes (or all of
// a shorter file), against what the file can hold. Fails with a KelvaneError naming the file
// and the problem: not a DBC file at all, negative counts, too many fields, or records and
// string block that do not fit in the file.
DbcLayout CheckDbcLayout(std::string_view headerBytes, uint64_t fileSize, const std::string& path);

// Fails with a KelvaneError: "path" has a damaged DBC header: reason. Nothing was loaded.
[[noreturn]] void FailDamagedHeader(const std::string& path, const std::string& reason);

}  // namespace kelvane
