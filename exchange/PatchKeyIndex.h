#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace kelvane {

class RecordTable;

// Finds the first record in table order whose key column (the first after Index) reads a
// given text exactly, so that the patch reader need not walk the table for every line.
// Records are remembered by storage slot, which stays with a record while others are added or
// moved; the few changes whose effect would need a search of the whole table (a record that
// shares its key with others moving or leaving that key) make the index rebuild on its next
// use instead.
class PatchKeyIndex {
  public:
    explicit PatchKeyIndex(const RecordTable& table) : table_(table) {}

    // The view row of the first record whose key text is key. The table must be browsing.
    std::optional<int> FindRow(std::string_view key);
    // How many records have the key text key. The table must be browsing.
    int RecordsWithKey(std::string_view key);

    // To be called while browsing, right after the current record was posted, for a record
    // that was added, or one that was found by foundKey at view row rowBefore and edited.
    void NoteAdded();
    void NoteEdited(std::string_view foundKey, int rowBefore);

  private:
    struct Entry {
        uint32_t FirstSlot = 0;  // the first record in table order with the key
        uint32_t Count = 0;      // records with the key
    };
    struct KeyHash {
        using is_transparent = void;
        size_t operator()(std::string_view key) const { return std::hash<std::string_view>{}(key); }
    };

    void Build();
    const std::string& CurrentKey();
    uint32_t CurrentSlot() const;
    int RowOfSlot(uint32_t slot) const;
    void Join(const std::string& key, uint32_t slot, int row);

    const RecordTable& table_;
    std::unordered_map<std::string, Entry, KeyHash, std::equal_to<>> entries_;
    bool valid_ = false;
    std::string keyText_;  // reused for the key of the record at hand
};

}  // namespace kelvane
