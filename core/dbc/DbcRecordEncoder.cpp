#include "core/dbc/DbcRecordEncoder.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <string>

#include "core/base/EchoText.h"
#include "core/base/KelvaneError.h"
#include "core/base/LittleEndian.h"
#include "core/base/NearestFloat.h"
#include "core/base/TextUtil.h"
#include "core/base/ValueText.h"
#include "core/dbc/StringBlockBuilder.h"
#include "core/dbc/TextOffsetCache.h"
#include "core/table/RecordTable.h"

namespace kelvane {
namespace {

// Records are written in batches that stay in the cache while each number column fills its
// cells from consecutive rows; string cells follow record by record, in first-met order.
constexpr size_t kBatchBytes = 256 * 1024;

// "byte field" for 1-byte cells, "16-bit field" for 2-byte ones.
std::string NarrowFieldName(int bytes) {
    return bytes == 1 ? "byte field" : std::to_string(8 * bytes) + "-bit field";
}

[[noreturn]] void FailNarrowValue(const RecordTable& table, int row, const CellTarget& target,
                                  const std::string& value, uint32_t largest) {
    const std::string field = NarrowFieldName(target.Bytes);
    // Records are numbered as the status bar numbers them: from 1, in table order.
    throw KelvaneError("the " + field + " \"" + EchoText(table.ColumnName(target.Column)) +
                       "\" of record " + std::to_string(row + 1) + " holds " + value + ", but a " +
                       field + " holds a whole number from 0 to " + std::to_string(largest));
}

// A narrow cell takes a whole number from 0 to its largest value whatever the column's kind: a
// float column must hold it exactly, a string column as its text (blank or empty counts as 0).
uint32_t NarrowCell(const RecordTable& table, int row, const CellTarget& target) {
    const uint32_t largest = (uint32_t{1} << (8 * target.Bytes)) - 1;
    switch (target.Kind) {
        case FieldKind::ftInteger: {
            const int32_t value = table.IntegerAt(row, target.Column);
            if (value < 0 || static_cast<uint32_t>(value) > largest) {
                FailNarrowValue(table, row, target, IntegerText(value), largest);
            }
            return static_cast<uint32_t>(value);
        }
        case FieldKind::ftFloat: {
            const double value = table.FloatAt(row, target.Column);
            if (!(value >= 0 && value <= largest) || value != std::floor(value)) {
                FailNarrowValue(table, row, target, FloatText(value), largest);
            }
            return static_cast<uint32_t>(value);
        }
        case FieldKind::ftString:
            break;
    }
    const std::string_view text = TrimBlanks(table.StringAt(row, target.Column));
    if (text.empty()) {
        return 0;
    }
    const std::optional<int32_t> value = ParseIntegerText(text);
    if (!value || *value < 0 || static_cast<uint32_t>(*value) > largest) {
        FailNarrowValue(table, row, target, "\"" + EchoText(text) + "\"", largest);
    }
    return static_cast<uint32_t>(*value);
}

struct Batch {
    int FirstRow = 0;
    int RowCount = 0;
    char* Records = nullptr;
    size_t RecordSize = 0;
};

// Calls write(row, slot, cell) for the cell of every record of the batch, slot being where the
// record's values are stored.
template <typename Write>
void ForEachCell(const RecordTable& table, const Batch& batch, size_t offset, Write write) {
    const uint32_t* slots = table.RecordSlots().data();
    char* cell = batch.Records + offset;
    for (int row = batch.FirstRow; row < batch.FirstRow + batch.RowCount;
         ++row, cell += batch.RecordSize) {
        write(row, slots[row], cell);
    }
}

void EncodeNumberColumn(const RecordTable& table, const CellTarget& target, const Batch& batch) {
    if (target.Bytes == 1) {
        ForEachCell(table, batch, target.Offset, [&](int row, uint32_t, char* cell) {
            *cell = static_cast<char>(NarrowCell(table, row, target));
        });
        return;
    }
    if (target.Bytes == 2) {
        ForEachCell(table, batch, target.Offset, [&](int row, uint32_t, char* cell) {
            StoreUint16Le(cell, static_cast<uint16_t>(NarrowCell(table, row, target)));
        });
        return;
    }
    // Locals rather than the store's members: the byte stores below could alias those, so the
    // compiler would reload them for every cell.
    const ColumnStore& store = table.ColumnStoreAt(target.Column);
    const bool anyBlank = !store.Blanks.empty();
    if (target.Kind == FieldKind::ftFloat) {
        const double* values = store.Floats.data();
        ForEachCell(table, batch, target.Offset, [&](int, uint32_t slot, char* cell) {
            const double value = anyBlank && store.IsBlank(slot) ? 0.0 : values[slot];
            StoreUint32Le(cell, std::bit_cast<uint32_t>(NearestFloat(value)));
        });
    } else {
        const int32_t* values = store.Integers.data();
        ForEachCell(table, batch, target.Offset, [&](int, uint32_t slot, char* cell) {
            const int32_t value = anyBlank && store.IsBlank(slot) ? 0 : values[slot];
            StoreUint32Le(cell, static_cast<uint32_t>(value));
        });
    }
}

}  // namespace

RecordLayout DbcRecordLayout(const RecordTable& table, const CellLayout& fileLayout) {
    const int fieldCount = table.FieldCount() - 1;
    const CellLayout cells =
        fileLayout.FieldCount() == fieldCount ? fileLayout : CellLayout::Uniform(fieldCount);
    RecordLayout layout;
    for (int field = 0; field < fieldCount; ++field) {
        const int column = field + 1;
        layout.Cells.push_back(
            {column, table.ColumnKind(column), cells.Offset(field), cells.CellBytes(field)});
    }
    layout.RecordSize = cells.RecordSize();
    return layout;
}

void EncodeDbcRecords(const RecordTable& table, const RecordLayout& layout, const ByteSink& sink,
                      StringBlockBuilder& strings) {
    // String cells whose texts go to the block, taken record by record in first-met order.
    struct TextTarget {
        const ColumnStore* Store = nullptr;
        size_t Offset = 0;
    };
    std::vector<CellTarget> numberCells;
    std::vector<TextTarget> textCells;
    for (const CellTarget& cell : layout.Cells) {
        if (cell.Kind == FieldKind::ftString && cell.Bytes == 4) {
            textCells.push_back({&table.ColumnStoreAt(cell.Column), cell.Offset});
        } else {
            numberCells.push_back(cell);
        }
    }
    const StringPool& pool = table.Strings();
    const int recordCount = table.RecordCount();
    // No table holds more distinct texts than its pool or its string cells do.
    const size_t distinctTexts =
        std::min(pool.TextCount(), textCells.size() * static_cast<size_t>(recordCount));
    TextOffsetCache texts(distinctTexts);
    strings.Reserve(distinctTexts, pool.BlockSize());
    const auto batchRows =
        static_cast<int>(std::max<size_t>(1, kBatchBytes / std::max<size_t>(1, layout.RecordSize)));
    // One small buffer, reused for every batch, stays in the cache while cells land there.
    std::string bytes;
    for (int first = 0; first < recordCount; first += batchRows) {
        const int rowCount = std::min(batchRows, recordCount - first);
        bytes.resize(static_cast<size_t>(rowCount) * layout.RecordSize);
        const Batch batch{first, rowCount, bytes.data(), layout.RecordSize};
        for (const CellTarget& cell : numberCells) {
            EncodeNumberColumn(table, cell, batch);
        }
        char* record = batch.Records;
        for (int row = first; row < first + batch.RowCount; ++row, record += layout.RecordSize) {
            const uint32_t slot = table.RecordSlots()[static_cast<size_t>(row)];
            for (const TextTarget& cell : textCells) {
                const ColumnStore& store = *cell.Store;
                const uint32_t offset =
                    store.IsBlank(slot) ? 0 : texts.OffsetOf(store.Strings[slot], pool, strings);
                StoreUint32Le(record + cell.Offset, offset);
            }
        }
        sink(bytes);
    }
}

}  // namespace kelvane
