#include "core/dbc/DbcLayout.h"

#include <cstdint>

#include "core/base/KelvaneError.h"
#include "core/table/FieldDef.h"

namespace kelvane {
namespace {

[[noreturn]] void FailNotDbc(const std::string& path, const std::string& reason) {
    throw KelvaneError("\"" + path + "\" is not a DBC file: " + reason + ".");
}

void RequireNotNegative(const std::string& path, const char* what, int32_t count) {
    if (count < 0) {
        FailDamagedHeader(
            path, std::string("its ") + what + " is negative (" + std::to_string(count) + ")");
    }
}

}  // namespace

void FailDamagedHeader(const std::string& path, const std::string& reason) {
    throw KelvaneError("\"" + path + "\" has a damaged DBC header: " + reason +
                       ". Nothing was loaded.");
}

DbcLayout CheckDbcLayout(std::string_view headerBytes, uint64_t fileSize, const std::string& path) {
    if (fileSize < DbcHeaderSize || headerBytes.size() < DbcHeaderSize) {
        FailNotDbc(path, "it has " + std::to_string(fileSize) +
                             " bytes, fewer than the 20 of a DBC header");
    }
    if (headerBytes.substr(0, DbcMagic.size()) != DbcMagic) {
        FailNotDbc(path, "it does not start with \"WDBC\"");
    }
    DbcLayout layout;
    const DbcHeader& header = layout.Header = ParseDbcHeader(headerBytes);
    RequireNotNegative(path, "record count", header.RecordCount);
    RequireNotNegative(path, "field count", header.FieldCount);
    RequireNotNegative(path, "record size", header.RecordSize);
    RequireNotNegative(path, "string block size", header.StringBlockSize);
    if (header.FieldCount > MaxFieldCount) {
        FailDamagedHeader(path, "it has " + std::to_string(header.FieldCount) +
                                    " fields, more than the " + std::to_string(MaxFieldCount) +
                                    " a table can hold");
    }
    // Records without bytes carry nothing but their number; a count of them is no table.
    if (header.RecordSize == 0 && header.RecordCount > 0) {
        FailDamagedHeader(
            path, "it announces " + std::to_string(header.RecordCount) + " records but no fields");
    }
    const uint64_t blockSize = static_cast<uint32_t>(header.StringBlockSize);
    if (blockSize > fileSize - DbcHeaderSize) {
        FailDamagedHeader(path, "its string block of " + std::to_string(blockSize) +
                                    " bytes is larger than the file");
    }
    layout.StringBlockOffset = static_cast<size_t>(fileSize - blockSize);
    const uint64_t recordBytes =
        static_cast<uint64_t>(header.RecordCount) * static_cast<uint64_t>(header.RecordSize);
    const std::string records = std::to_string(header.RecordCount) + " records of " +
                                std::to_string(header.RecordSize) + " bytes";
    if (DbcHeaderSize + recordBytes > fileSize) {
        FailDamagedHeader(path, records + " run past the end of the file");
    }
    if (DbcHeaderSize + recordBytes > layout.StringBlockOffset) {
        FailDamagedHeader(path, records + " overlap its string block");
    }
    return layout;
}

}  // namespace kelvane
