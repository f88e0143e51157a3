#include "core/dbc/CellLayout.h"

#include <algorithm>

#include "core/base/KelvaneError.h"
#include "core/dbc/DbcLayout.h"

namespace kelvane {
namespace {

bool AnySize(const std::vector<int>& fieldBits) {
    return std::any_of(fieldBits.begin(), fieldBits.end(), [](int bits) { return bits != 0; });
}

// fieldCount cells of the given sizes, 4 bytes where none is given.
CellLayout LayoutOfBits(const std::vector<int>& fieldBits, int fieldCount) {
    std::vector<uint8_t> bytes(static_cast<size_t>(fieldCount), 4);
    for (size_t field = 0; field < bytes.size() && field < fieldBits.size(); ++field) {
        if (fieldBits[field] != 0) {
            bytes[field] = static_cast<uint8_t>(fieldBits[field] / 8);
        }
    }
    return CellLayout(std::move(bytes));
}

CellLayout SizedLayout(const DbcHeader& header, const std::vector<int>& fieldBits,
                       const std::string& path, const std::string& definitionsPath) {
    CellLayout layout = LayoutOfBits(fieldBits, header.FieldCount);
    if (layout.RecordSize() != static_cast<size_t>(header.RecordSize)) {
        throw KelvaneError("\"" + path + "\" has records of " + std::to_string(header.RecordSize) +
                           " bytes, but the field sizes in \"" + definitionsPath + "\" add up to " +
                           std::to_string(layout.RecordSize()) + " bytes for its " +
                           std::to_string(header.FieldCount) + " fields. Nothing was loaded.");
    }
    return layout;
}

}  // namespace

CellLayout::CellLayout(std::vector<uint8_t> cellBytes) : bytes_(std::move(cellBytes)) {
    offsets_.reserve(bytes_.size());
    for (const uint8_t bytes : bytes_) {
        offsets_.push_back(recordSize_);
        recordSize_ += bytes;
    }
}

CellLayout CellLayout::Uniform(int fieldCount) {
    return CellLayout(std::vector<uint8_t>(static_cast<size_t>(fieldCount), 4));
}

CellLayout CellLayout::WholeThenBytes(int wholeCells, int byteCells) {
    std::vector<uint8_t> bytes(static_cast<size_t>(wholeCells), 4);
    bytes.resize(bytes.size() + static_cast<size_t>(byteCells), 1);
    return CellLayout(std::move(bytes));
}

bool CellLayout::HasNarrowCells() const {
    return std::any_of(bytes_.begin(), bytes_.end(), [](uint8_t bytes) { return bytes < 4; });
}

std::vector<int> FieldBitsOf(const FieldDefList& defs, int count) {
    std::vector<int> bits;
    for (int field = 0; field < count; ++field) {
        bits.push_back(defs[field].Bits);
    }
    return bits;
}

CellLayout LayoutOfNewTable(const std::vector<int>& fieldBits) {
    return AnySize(fieldBits) ? LayoutOfBits(fieldBits, static_cast<int>(fieldBits.size()))
                              : CellLayout();
}

CellLayout RecordCellLayout(const DbcHeader& header, const std::vector<int>& fieldBits,
                            const std::string& path, const std::string& definitionsPath) {
    if (AnySize(fieldBits)) {
        return SizedLayout(header, fieldBits, path, definitionsPath);
    }
    if (header.RecordSize == 4 * header.FieldCount) {
        return CellLayout::Uniform(header.FieldCount);
    }
    const std::optional<ByteFieldSplit> split =
        SplitByteFields(header.FieldCount, header.RecordSize);
    if (!split) {
        FailDamagedHeader(path, "records of " + std::to_string(header.RecordSize) +
                                    " bytes cannot hold " + std::to_string(header.FieldCount) +
                                    " fields of 4 or 1 bytes");
    }
    return CellLayout::WholeThenBytes(split->WholeCellCount, split->ByteCellCount);
}

}  // namespace kelvane
