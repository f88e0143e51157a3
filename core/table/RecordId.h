#pragma once

#include <cstdint>

namespace kelvane {

// Names one record of a RecordTable for as long as the record exists: it stays the same while
// the record is edited, moved by its Index or shifted by other records coming and going, and it
// is never given to another record of the table, not even after this one is deleted. A record
// being inserted has its id from the start; posting keeps it.
class RecordId {
  public:
    RecordId() = default;  // no record

    bool IsValid() const { return serial_ != 0; }
    // Unique among all records the table has ever held: a key for maps and for messages.
    uint64_t Serial() const { return serial_; }
    bool operator==(const RecordId& other) const = default;

  private:
    friend class RecordTable;
    RecordId(uint32_t slot, uint64_t serial) : slot_(slot), serial_(serial) {}

    // Where the table keeps the record's cells: finds it without a search, while the serial
    // tells whether the slot still holds that record.
    uint32_t slot_ = 0;
    uint64_t serial_ = 0;
};

}  // namespace kelvane
