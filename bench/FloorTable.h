#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/table/FieldDef.h"

namespace kelvane::bench {

// A DBC file read whole in 1 MiB pieces into one buffer (on huge pages where the system has
// them), with the kinds and names of its fields from the definitions beside it: the least a
// whole-table command has to read.
class FloorTable {
  public:
    explicit FloorTable(const std::string& path);

    std::string_view Bytes() const { return {reinterpret_cast<const char*>(bytes_.get()), size_}; }
    uint32_t Records() const { return records_; }
    uint32_t Fields() const { return fields_; }
    uint32_t Cell(uint32_t record, uint32_t field) const {
        uint32_t value;
        std::memcpy(&value,
                    bytes_.get() + kHeaderBytes + size_t{record} * recordBytes_ + size_t{field} * 4,
                    4);
        return value;
    }
    // The field's number with the name, compared without case; throws when none has it.
    uint32_t FieldNamed(std::string_view name) const;
    // The cell's text as the table shows it; quoting is the caller's.
    void AppendText(std::string& out, uint32_t record, uint32_t field) const;
    bool HoldsIntegers(uint32_t field) const { return kinds_[field] == FieldKind::ftInteger; }
    const std::string& Name(uint32_t field) const { return names_[field]; }
    bool HoldsStrings(uint32_t field) const { return kinds_[field] == FieldKind::ftString; }
    std::string_view StringBlock() const {
        return Bytes().substr(static_cast<size_t>(strings_ - Bytes().data()));
    }

  private:
    static constexpr size_t kHeaderBytes = 20;
    struct Freed {
        void operator()(unsigned char* bytes) const;
    };
    std::unique_ptr<unsigned char, Freed> bytes_;
    size_t size_ = 0;
    uint32_t records_ = 0;
    uint32_t fields_ = 0;
    uint32_t recordBytes_ = 0;
    const char* strings_ = nullptr;
    std::vector<FieldKind> kinds_;
    std::vector<std::string> names_;
};

// A text input read whole in 1 MiB pieces, into memory nothing has zero-filled.
struct FloorText {
    std::unique_ptr<char[]> Bytes;
    size_t Size = 0;
    std::string_view View() const { return {Bytes.get(), Size}; }
};
FloorText ReadFloorText(const std::string& path);

}  // namespace kelvane::bench
