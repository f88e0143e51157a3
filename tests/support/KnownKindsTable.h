#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/table/FieldKind.h"

namespace kelvane::testing {

// A DBC file built column by column, each column holding cells of a known kind, so that what
// the kind guess makes of the file can be checked against the truth. Texts go into the block
// once each, in the order they are first used, after the empty text at offset 0.
class KnownKindsTable {
  public:
    explicit KnownKindsTable(int recordCount);

    int RecordCount() const { return recordCount_; }
    // Where the text starts in the block, adding it on first use; "" is offset 0.
    uint32_t TextOffset(std::string_view text);

    // Each adds one field; cells holds one value per record.
    KnownKindsTable& Integers(const std::vector<int32_t>& cells);
    KnownKindsTable& Floats(const std::vector<float>& cells);
    KnownKindsTable& Texts(const std::vector<std::string>& cells);
    // Narrow cells of 1 or 2 bytes, which always hold numbers.
    KnownKindsTable& NarrowIntegers(const std::vector<uint32_t>& cells, uint8_t cellBytes);
    // Replaces the block the texts made with these bytes, for blocks no writer makes.
    KnownKindsTable& Block(std::string bytes);

    const std::vector<FieldKind>& Kinds() const { return kinds_; }
    // The width of each field's cell in bytes.
    const std::vector<uint8_t>& CellBytes() const { return cellBytes_; }
    std::string FileBytes() const;

  private:
    KnownKindsTable& Field(FieldKind kind, std::vector<uint32_t> cells, uint8_t cellBytes);

    int recordCount_ = 0;
    std::string block_;
    std::vector<FieldKind> kinds_;
    std::vector<uint8_t> cellBytes_;
    std::vector<std::vector<uint32_t>> columns_;
};

}  // namespace kelvane::testing
