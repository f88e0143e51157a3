#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/DbcFormat.h"
#include "core/FieldKind.h"

namespace kelvane {

class RecordTable;
class StringBlockBuilder;

// Where one field column's cell goes in a record.
struct CellTarget {
    int Column = 0;
    FieldKind Kind = FieldKind::ftInteger;
    size_t Offset = 0;
    bool Byte = false;
};

struct RecordLayout {
    std::vector<CellTarget> Cells;
    size_t RecordSize = 0;
};

// 4-byte cells for every field column, or the 4-byte and 1-byte cells of the file loaded last
// while the columns still match them, so a table with byte fields keeps the format its
// readers expect.
RecordLayout DbcRecordLayout(const RecordTable& table,
                             const std::optional<ByteFieldSplit>& loadedByteFields);

// Receives the encoded records a batch at a time.
using ByteSink = std::function<void(std::string_view)>;

// Encodes every record of the table, which must be browsing (no record being edited), in table
// order. String cells are trimmed and placed in the block in the order they are met: records
// in order, columns left to right within a record. Fails on a byte cell that holds no whole
// number from 0 to 255, naming the column and the record.
void EncodeDbcRecords(const RecordTable& table, const RecordLayout& layout, const ByteSink& sink,
                      StringBlockBuilder& strings);

}  // namespace kelvane
