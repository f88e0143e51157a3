#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/dbc/CellLayout.h"
#include "core/table/FieldKind.h"

namespace kelvane {

class RecordTable;
class StringBlockBuilder;

// Where one field column's cell goes in a record, and its width (4, 2 or 1 bytes).
struct CellTarget {
    int Column = 0;
    FieldKind Kind = FieldKind::ftInteger;
    size_t Offset = 0;
    int Bytes = 4;
};

struct RecordLayout {
    std::vector<CellTarget> Cells;
    size_t RecordSize = 0;
};

// The cells of fileLayout (the file loaded last) while the table has as many field columns,
// so a table with narrow cells keeps the format its readers expect; 4-byte cells otherwise.
RecordLayout DbcRecordLayout(const RecordTable& table, const CellLayout& fileLayout);

// Receives the encoded records a batch at a time.
using ByteSink = std::function<void(std::string_view)>;

// Encodes every record of the table, which must be browsing (no record being edited), in table
// order. String cells are placed in the block in the order they are met (records in order,
// columns left to right within a record); texts loaded from the file go back byte for byte,
// texts set since are trimmed. Fails on a narrow cell whose value does not fit it (a whole
// number from 0 to 255, or to 65535), naming the column and the record.
void EncodeDbcRecords(const RecordTable& table, const RecordLayout& layout, const ByteSink& sink,
                      StringBlockBuilder& strings);

}  // namespace kelvane
