#include "core/DbcLayout.h"

#include <cstdint>

#include "core/FieldDef.h"
#include "core/KelvaneError.h"

namespace kelvane {
namespace {

[[noreturn]] void FailNotDbc(const std::string& path, const std::string& reason) {
    throw KelvaneError("\"" + path + "\" is not a DBC file: " + reason + ".");
}

[[noreturn]] void FailDamaged(const std::string& path, const std::string& reason) {
    throw KelvaneError("\"" + path + "\" has a damaged DBC header: " + reason +
                       ". Nothing was loaded.");
}

void RequireNotNegative(const std::string& path, const char* what, int32_t count) {
    if (count < 0) {
        FailDamaged(path,
                    std::string("its ") + what + " is negative (" + std::to_string(count) + ")");
    }
}

}  // namespace

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
        FailDamaged(path, "it has " + std::to_string(header.FieldCount) +
                              " fields, more than the " + std::to_string(MaxFieldCount) +
                              " a table can hold");
    }
    if (header.RecordSize != 4 * header.FieldCount) {
        layout.ByteFields = SplitByteFields(header.FieldCount, header.RecordSize);
        if (!layout.ByteFields) {
            FailDamaged(path, "records of " + std::to_string(header.RecordSize) +
                                  " bytes cannot hold " + std::to_string(header.FieldCount) +
                                  " fields of 4 or 1 bytes");
        }
    }
    // Records without bytes carry nothing but their number; a count of them is no table.
    if (header.RecordSize == 0 && header.RecordCount > 0) {
        FailDamaged(
            path, "it announces " + std::to_string(header.RecordCount) + " records but no fields");
    }
    const uint64_t blockSize = static_cast<uint32_t>(header.StringBlockSize);
    if (blockSize > fileSize - DbcHeaderSize) {
        FailDamaged(path, "its string block of " + std::to_string(blockSize) +
                              " bytes is larger than the file");
    }
    layout.StringBlockOffset = static_cast<size_t>(fileSize - blockSize);
    const uint64_t recordBytes =
        static_cast<uint64_t>(header.RecordCount) * static_cast<uint64_t>(header.RecordSize);
    const std::string records = std::to_string(header.RecordCount) + " records of " +
                                std::to_string(header.RecordSize) + " bytes";
    if (DbcHeaderSize + recordBytes > fileSize) {
        FailDamaged(path, records + " run past the end of the file");
    }
    if (DbcHeaderSize + recordBytes > layout.StringBlockOffset) {
        FailDamaged(path, records + " overlap its string block");
    }
    return layout;
}

}  // namespace kelvane
