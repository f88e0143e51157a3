#include "tests/support/KnownKindsTable.h"

#include <bit>
#include <numeric>
#include <stdexcept>

#include "core/table/Field.h"
#include "tests/support/DbcBytes.h"

namespace kelvane::testing {

KnownKindsTable::KnownKindsTable(int recordCount) : recordCount_(recordCount), block_(1, '\0') {}

uint32_t KnownKindsTable::TextOffset(std::string_view text) {
    if (text.empty()) {
        return 0;
    }
    // A text is found only at its own start: one that ends another is added anew, as the
    // writer of a table does.
    std::string terminated(text);
    terminated.push_back('\0');
    for (size_t at = block_.find(terminated); at != std::string::npos;
         at = block_.find(terminated, at + 1)) {
        if (at == 0 || block_[at - 1] == '\0') {
            return static_cast<uint32_t>(at);
        }
    }
    const auto offset = static_cast<uint32_t>(block_.size());
    block_ += terminated;
    return offset;
}

KnownKindsTable& KnownKindsTable::Integers(const std::vector<int32_t>& cells) {
    std::vector<uint32_t> bits;
    for (const int32_t value : cells) {
        bits.push_back(static_cast<uint32_t>(value));
    }
    return Field(FieldKind::ftInteger, std::move(bits), 4);
}

KnownKindsTable& KnownKindsTable::Floats(const std::vector<float>& cells) {
    std::vector<uint32_t> bits;
    for (const float value : cells) {
        bits.push_back(std::bit_cast<uint32_t>(value));
    }
    return Field(FieldKind::ftFloat, std::move(bits), 4);
}

KnownKindsTable& KnownKindsTable::Texts(const std::vector<std::string>& cells) {
    std::vector<uint32_t> offsets;
    for (const std::string& text : cells) {
        offsets.push_back(TextOffset(text));
    }
    return Field(FieldKind::ftString, std::move(offsets), 4);
}

KnownKindsTable& KnownKindsTable::NarrowIntegers(const std::vector<uint32_t>& cells,
                                                 uint8_t cellBytes) {
    return Field(FieldKind::ftInteger, cells, cellBytes);
}

KnownKindsTable& KnownKindsTable::Block(std::string bytes) {
    block_ = std::move(bytes);
    return *this;
}

KnownKindsTable& KnownKindsTable::Field(FieldKind kind, std::vector<uint32_t> cells,
                                        uint8_t cellBytes) {
    if (cells.size() != static_cast<size_t>(recordCount_)) {
        throw std::invalid_argument("a column needs one cell per record");
    }
    kinds_.push_back(kind);
    cellBytes_.push_back(cellBytes);
    columns_.push_back(std::move(cells));
    return *this;
}

std::string KnownKindsTable::FileBytes() const {
    const int recordSize = std::accumulate(cellBytes_.begin(), cellBytes_.end(), 0);
    DbcBytes file;
    file.Header(recordCount_, static_cast<int32_t>(kinds_.size()), recordSize,
                static_cast<int32_t>(block_.size()));
    for (size_t record = 0; record < static_cast<size_t>(recordCount_); ++record) {
        for (size_t field = 0; field < columns_.size(); ++field) {
            const uint32_t value = columns_[field][record];
            for (unsigned byte = 0; byte < cellBytes_[field]; ++byte) {
                file.Byte(static_cast<uint8_t>(value >> (8 * byte)));
            }
        }
    }
    file.Raw(block_);
    return file.Bytes();
}

}  // namespace kelvane::testing
