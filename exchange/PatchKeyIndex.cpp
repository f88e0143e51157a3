#include "exchange/PatchKeyIndex.h"

#include <algorithm>
#include <vector>

#include "core/table/RecordTable.h"
#include "exchange/CellTexts.h"

namespace kelvane {
namespace {

constexpr int kIndexColumn = 0;
constexpr int kKeyColumn = 1;

}  // namespace

std::optional<int> PatchKeyIndex::FindRow(std::string_view key) {
    if (!valid_) {
        Build();
    }
    const auto entry = entries_.find(key);
    if (entry == entries_.end()) {
        return std::nullopt;
    }
    return RowOfSlot(entry->second.FirstSlot);
}

int PatchKeyIndex::RecordsWithKey(std::string_view key) {
    if (!valid_) {
        Build();
    }
    const auto entry = entries_.find(key);
    return entry == entries_.end() ? 0 : static_cast<int>(entry->second.Count);
}

void PatchKeyIndex::NoteAdded() {
    if (valid_) {
        Join(CurrentKey(), CurrentSlot(), table_.CurrentRow());
    }
}

void PatchKeyIndex::NoteEdited(std::string_view foundKey, int rowBefore) {
    if (!valid_) {
        return;
    }
    const std::string& key = CurrentKey();
    const auto found = entries_.find(foundKey);
    if (key == foundKey) {
        // Being found by its key, the record came first among those sharing it; only a move
        // can change that.
        if (table_.CurrentRow() != rowBefore && found->second.Count > 1) {
            valid_ = false;
        }
        return;
    }
    if (found->second.Count > 1) {
        valid_ = false;  // which record now comes first for the old key is not known
        return;
    }
    entries_.erase(found);
    Join(key, CurrentSlot(), table_.CurrentRow());
}

void PatchKeyIndex::Build() {
    entries_.clear();
    const std::vector<uint32_t>& slots = table_.RecordSlots();
    entries_.reserve(slots.size());
    CellTexts cells(table_);
    for (size_t row = 0; row < slots.size(); ++row) {
        keyText_.clear();
        cells.Append(keyText_, static_cast<int>(row), kKeyColumn);
        ++entries_.try_emplace(keyText_, Entry{slots[row], 0}).first->second.Count;
    }
    valid_ = true;
}

const std::string& PatchKeyIndex::CurrentKey() {
    keyText_.clear();
    AppendCellText(keyText_, table_, table_.CurrentRow(), kKeyColumn);
    return keyText_;
}

uint32_t PatchKeyIndex::CurrentSlot() const {
    return table_.RecordSlots()[static_cast<size_t>(table_.CurrentRow())];
}

// Records are in ascending order of Index, so a slot's record lies in the run of its Index.
int PatchKeyIndex::RowOfSlot(uint32_t slot) const {
    const std::vector<uint32_t>& slots = table_.RecordSlots();
    const ColumnVector<int32_t>& indexes = table_.ColumnStoreAt(kIndexColumn).Integers;
    const int32_t index = indexes[slot];
    const auto run = std::partition_point(slots.begin(), slots.end(),
                                          [&](uint32_t other) { return indexes[other] < index; });
    return static_cast<int>(std::find(run, slots.end(), slot) - slots.begin());
}

// The record at row, stored in slot, now has the key.
void PatchKeyIndex::Join(const std::string& key, uint32_t slot, int row) {
    Entry& entry = entries_.try_emplace(key, Entry{slot, 0}).first->second;
    if (++entry.Count > 1 && row < RowOfSlot(entry.FirstSlot)) {
        entry.FirstSlot = slot;
    }
}

}  // namespace kelvane
