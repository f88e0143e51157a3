#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "bench/FloorTable.h"

namespace kelvane::bench {

// The cells of a table being changed and grown, as raw 32-bit values: a string cell holds an
// offset into the loaded block or, past its end, into the texts set since. Written out, the
// texts are placed in a new block in the order the records use them first, as the product's
// writer does, so the bytes can be compared.
class FloorRecords {
  public:
    explicit FloorRecords(const FloorTable& table);

    uint32_t Records() const { return static_cast<uint32_t>(cells_.size() / fields_); }
    // The record whose first field holds the key; adds one with the key when none does.
    uint32_t RecordWithKey(int32_t key);
    // A new record of zeros and empty texts at the end.
    uint32_t AddRecord();
    // Sets the cell from its text as the patch or script gives it; false when it is not
    // a number where one belongs.
    bool Set(uint32_t record, uint32_t field, std::string_view text);
    void Write(const std::string& path) const;

  private:
    const FloorTable& table_;
    uint32_t fields_;
    std::vector<uint32_t> cells_;
    std::unordered_map<int32_t, uint32_t> recordOfKey_;
    std::string texts_;  // set since the load, each ended by a zero byte
};

}  // namespace kelvane::bench
