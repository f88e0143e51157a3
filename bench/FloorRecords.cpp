#include "bench/FloorRecords.h"

#include <cstring>

#include "bench/FloorOutput.h"
#include "core/base/ValueText.h"
#include "core/table/Field.h"

namespace kelvane::bench {
namespace {

void AppendWord(std::string& out, uint32_t value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

}  // namespace

FloorRecords::FloorRecords(const FloorTable& table) : table_(table), fields_(table.Fields()) {
    cells_.resize(size_t{table.Records()} * fields_);
    for (uint32_t record = 0; record < table.Records(); ++record) {
        for (uint32_t field = 0; field < fields_; ++field) {
            cells_[size_t{record} * fields_ + field] = table.Cell(record, field);
        }
        // The first record with a key is the one a patch line reaches.
        recordOfKey_.emplace(static_cast<int32_t>(table.Cell(record, 0)), record);
    }
}

uint32_t FloorRecords::RecordWithKey(int32_t key) {
    const auto [found, added] = recordOfKey_.emplace(key, Records());
    if (added) {
        cells_[size_t{AddRecord()} * fields_] = static_cast<uint32_t>(key);
    }
    return found->second;
}

uint32_t FloorRecords::AddRecord() {
    cells_.resize(cells_.size() + fields_);
    return Records() - 1;
}

bool FloorRecords::Set(uint32_t record, uint32_t field, std::string_view text) {
    uint32_t& cell = cells_[size_t{record} * fields_ + field];
    if (table_.HoldsStrings(field)) {
        cell = static_cast<uint32_t>(table_.StringBlock().size() + texts_.size());
        texts_ += text;
        texts_ += '\0';
        return true;
    }
    if (table_.HoldsIntegers(field)) {
        const std::optional<int32_t> number = ParseIntegerText(text);
        cell = number ? static_cast<uint32_t>(*number) : cell;
        return number.has_value();
    }
    const std::optional<double> number = ParseFloatText(text);
    if (number) {
        const auto value = static_cast<float>(*number);
        std::memcpy(&cell, &value, sizeof cell);
    }
    return number.has_value();
}

void FloorRecords::Write(const std::string& path) const {
    const std::string_view loaded = table_.StringBlock();
    std::string block(1, '\0');
    std::unordered_map<std::string_view, uint32_t> offsets;
    offsets.reserve(cells_.size() / 8);
    FloorOutput output(path);
    std::string& out = output.Buffer();
    out.assign(20, '\0');  // the header, written last when the block's size is known
    for (size_t record = 0; record < Records(); ++record) {
        for (uint32_t field = 0; field < fields_; ++field) {
            uint32_t value = cells_[record * fields_ + field];
            if (table_.HoldsStrings(field)) {
                const std::string_view text =
                    value < loaded.size() ? std::string_view(loaded.data() + value)
                                          : std::string_view(texts_.data() + value - loaded.size());
                if (text.empty()) {
                    value = 0;
                } else {
                    const auto [placed, added] =
                        offsets.emplace(text, static_cast<uint32_t>(block.size()));
                    if (added) {
                        block.append(text);
                        block += '\0';
                    }
                    value = placed->second;
                }
            }
            AppendWord(out, value);
        }
        output.Spill();
    }
    output.Add(block);
    std::string header = "WDBC";
    AppendWord(header, Records());
    AppendWord(header, fields_);
    AppendWord(header, fields_ * 4);
    AppendWord(header, static_cast<uint32_t>(block.size()));
    output.Finish(header);
}

}  // namespace kelvane::bench
