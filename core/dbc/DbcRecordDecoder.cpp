#include "core/dbc/DbcRecordDecoder.h"

#include <algorithm>
#include <bit>
#include <optional>
#include <string>

#include "core/base/LittleEndian.h"
#include "core/base/NearestFloat.h"
#include "core/dbc/TextStartMap.h"

namespace kelvane {
namespace {

// The columns grow a chunk of records at a time, one column after the other, which lets the
// system hand out their fresh memory far faster than growing all columns record by record.
// Within a chunk, records are decoded in batches that stay in the cache while every column
// takes its cell from each record of the batch: one pass over the file, and tight loops
// without a test of the kind per cell.
constexpr size_t kChunkRecords = 4096;
constexpr size_t kBatchBytes = 256 * 1024;

// Where a field column finds its cell within a record; Bytes 0 for a column past the record's
// cells.
struct CellSource {
    int Bytes = 0;
    size_t Offset = 0;
};

struct Batch {
    size_t First = 0;  // record number of the first record
    size_t Count = 0;
    const char* Records = nullptr;
    size_t RecordSize = 0;
};

// One converted cell per record of the batch, into the column's slots for those records.
template <typename T, typename Convert>
void FillCells(ColumnVector<T>& column, const Batch& batch, size_t offset, Convert convert) {
    T* out = column.data() + batch.First;
    const char* cell = batch.Records + offset;
    for (size_t i = 0; i < batch.Count; ++i, cell += batch.RecordSize) {
        out[i] = convert(cell);
    }
}

int32_t WholeInteger(const char* cell) {
    return static_cast<int32_t>(LoadUint32Le(cell));
}
double WholeFloat(const char* cell) {
    return WidenFloat(std::bit_cast<float>(LoadUint32Le(cell)));
}
int32_t ByteValue(const char* cell) {
    return static_cast<unsigned char>(*cell);
}
int32_t ShortValue(const char* cell) {
    return static_cast<int32_t>(LoadUint16Le(cell));
}

class RecordDecoder {
  public:
    RecordDecoder(ByteSource& file, const DbcLayout& layout, const CellLayout& cells,
                  const std::vector<FieldColumnSource>& columns);
    DecodedRecords Decode(const LoadProgress& progress);

  private:
    void GrowColumns(size_t recordCount);
    void DecodeColumn(size_t field, const Batch& batch);
    template <typename Read>
    void DecodeNumbers(ColumnStore& store, const Batch& batch, size_t offset, Read read);
    void DecodeStrings(size_t field, const Batch& batch);

    ByteSource& file_;
    const DbcLayout& layout_;
    std::vector<CellSource> sources_;
    DecodedRecords decoded_;
    std::optional<TextStartMap> texts_;
};

RecordDecoder::RecordDecoder(ByteSource& file, const DbcLayout& layout, const CellLayout& cells,
                             const std::vector<FieldColumnSource>& columns)
    : file_(file), layout_(layout) {
    const size_t blockSize = static_cast<size_t>(layout.Header.StringBlockSize);
    // One byte to spare: the pool appends its terminator without copying the block again.
    std::string block;
    block.reserve(blockSize + 1);
    block.resize(blockSize);
    file.ReadInto(layout.StringBlockOffset, block.data(), blockSize);
    decoded_.Rows.Strings = StringPool(std::move(block));
    texts_.emplace(decoded_.Rows.Strings.BlockBytes());

    const size_t recordCount = static_cast<size_t>(layout.Header.RecordCount);
    decoded_.Rows.Columns.emplace_back().Integers.reserve(recordCount);
    for (const FieldColumnSource& column : columns) {
        ColumnStore& store = decoded_.Rows.Columns.emplace_back();
        store.Kind = column.Kind;
        switch (store.Kind) {
            case FieldKind::ftString:
                store.Strings.reserve(recordCount);
                break;
            case FieldKind::ftFloat:
                store.Floats.reserve(recordCount);
                break;
            case FieldKind::ftInteger:
                store.Integers.reserve(recordCount);
                break;
        }
        sources_.push_back(column.Cell != FieldColumnSource::NoCell
                               ? CellSource{cells.CellBytes(column.Cell), cells.Offset(column.Cell)}
                               : CellSource{});
    }
    decoded_.BadStringCells.assign(columns.size(), 0);
    decoded_.MidTextCells.assign(columns.size(), 0);
}

DecodedRecords RecordDecoder::Decode(const LoadProgress& progress) {
    const size_t recordCount = static_cast<size_t>(layout_.Header.RecordCount);
    const size_t recordSize = static_cast<size_t>(layout_.Header.RecordSize);
    const size_t batchSize = std::max<size_t>(1, kBatchBytes / std::max<size_t>(1, recordSize));
    for (size_t chunk = 0; chunk < recordCount; chunk += kChunkRecords) {
        const size_t chunkEnd = std::min(recordCount, chunk + kChunkRecords);
        GrowColumns(chunkEnd);
        for (size_t first = chunk; first < chunkEnd; first += batchSize) {
            const size_t count = std::min(batchSize, chunkEnd - first);
            const std::string_view records =
                file_.Read(layout_.RecordsOffset + first * recordSize, count * recordSize);
            const Batch batch{first, count, records.data(), recordSize};
            for (size_t field = 0; field < sources_.size(); ++field) {
                DecodeColumn(field, batch);
            }
        }
        if (progress && chunkEnd < recordCount) {
            progress(static_cast<int>(chunkEnd), static_cast<int>(recordCount));
        }
    }
    if (progress) {
        progress(static_cast<int>(recordCount), static_cast<int>(recordCount));
    }
    decoded_.UnusedTexts = texts_->UnusedTexts();
    return std::move(decoded_);
}

// Every column to recordCount slots: Index numbers the records, columns without a cell in the
// file take the new-record defaults, and the others are left unset, since every cell of the
// chunk is decoded next.
void RecordDecoder::GrowColumns(size_t recordCount) {
    ColumnVector<int32_t>& index = decoded_.Rows.Columns.front().Integers;
    while (index.size() < recordCount) {
        index.push_back(static_cast<int32_t>(index.size()));
    }
    for (size_t column = 1; column < decoded_.Rows.Columns.size(); ++column) {
        ColumnStore& store = decoded_.Rows.Columns[column];
        if (sources_[column - 1].Bytes > 0) {
            store.GrowUnset(recordCount);  // every cell is decoded next
        } else {
            store.Resize(recordCount, decoded_.Rows.Strings.EmptyRef());
        }
    }
}

void RecordDecoder::DecodeColumn(size_t field, const Batch& batch) {
    const CellSource& source = sources_[field];
    ColumnStore& store = decoded_.Rows.Columns[field + 1];
    switch (source.Bytes) {
        case 0:
            return;
        case 1:
            DecodeNumbers(store, batch, source.Offset, ByteValue);
            return;
        case 2:
            DecodeNumbers(store, batch, source.Offset, ShortValue);
            return;
        default:
            break;
    }
    switch (store.Kind) {
        case FieldKind::ftInteger:
            FillCells(store.Integers, batch, source.Offset, WholeInteger);
            break;
        case FieldKind::ftFloat:
            FillCells(store.Floats, batch, source.Offset, WholeFloat);
            break;
        case FieldKind::ftString:
            DecodeStrings(field, batch);
            break;
    }
}

// A narrow cell holds an unsigned number, whatever the field's kind; string fields never reach
// here (their narrow cells get integer columns).
template <typename Read>
void RecordDecoder::DecodeNumbers(ColumnStore& store, const Batch& batch, size_t offset,
                                  Read read) {
    if (store.Kind == FieldKind::ftFloat) {
        FillCells(store.Floats, batch, offset,
                  [&](const char* cell) { return static_cast<double>(read(cell)); });
    } else {
        FillCells(store.Integers, batch, offset, read);
    }
}

void RecordDecoder::DecodeStrings(size_t field, const Batch& batch) {
    int& bad = decoded_.BadStringCells[field];
    int& midText = decoded_.MidTextCells[field];
    TextStartMap& texts = *texts_;
    const StringPool::Ref empty = decoded_.Rows.Strings.EmptyRef();
    FillCells(decoded_.Rows.Columns[field + 1].Strings, batch, sources_[field].Offset,
              [&](const char* cell) {
                  const uint32_t offset = LoadUint32Le(cell);
                  switch (texts.Use(offset)) {
                      case TextCell::Start:
                          break;
                      case TextCell::MidText:
                          // Loaded as the rest of that text, which is what the cell reads.
                          ++midText;
                          break;
                      case TextCell::Outside:
                          ++bad;
                          return empty;
                  }
                  // Texts of any length load whole: a save writes them back byte for byte.
                  return StringPool::BlockRef(offset);
              });
}

}  // namespace

FieldKind ColumnKindOfCell(FieldKind fieldKind, int cellBytes) {
    return fieldKind == FieldKind::ftString && cellBytes < 4 ? FieldKind::ftInteger : fieldKind;
}

DecodedRecords DecodeDbcRecords(ByteSource& file, const DbcLayout& layout, const CellLayout& cells,
                                const std::vector<FieldColumnSource>& columns,
                                const LoadProgress& progress) {
    return RecordDecoder(file, layout, cells, columns).Decode(progress);
}

}  // namespace kelvane
