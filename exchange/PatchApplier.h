#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "core/base/KelvaneError.h"
#include "exchange/PatchKeyIndex.h"
#include "exchange/PatchLineParser.h"

namespace kelvane {

class RecordTable;

// A pair of a line that cannot be applied: Place names it, "column 4", or "pair 2" (counted
// from 1) when its column number is what is wrong; what() says why.
class PatchPairError : public KelvaneError {
  public:
    PatchPairError(std::string place, const std::string& why)
        : KelvaneError(why), Place(std::move(place)) {}
    std::string Place;
};

// Applies the lines of a patch text to a table one after the other. Each line edits, in place,
// the first record in table order whose key column reads the line's key, or a new record with
// that key. A line's record stays in editing; the next line posts it first, as any move of the
// cursor would, so every line sees the keys and the order that the lines before it left.
class PatchApplier {
  public:
    explicit PatchApplier(RecordTable& table) : table_(table), index_(table) {}

    // Stops with the table's own error at the first failing step; what came before stays. A
    // new record whose key the key column refuses stays too, and the error is a PatchKeyError;
    // a pair that fails gives a PatchPairError.
    void Apply(std::string_view key, std::span<const PatchPairText> pairs);
    int RecordsAdded() const { return recordsAdded_; }

  private:
    // The record of the previous line, as the key index needs to hear of it once posted.
    struct EditedRecord {
        bool Added = false;
        std::string FoundKey;
        int RowBefore = 0;
    };

    void FinishPreviousRecord();
    // Fails with a KelvaneError saying why; the caller adds which pair it was.
    void Assign(int32_t columnNumber, std::string_view value);

    RecordTable& table_;
    PatchKeyIndex index_;
    std::optional<EditedRecord> editing_;
    int recordsAdded_ = 0;
};

}  // namespace kelvane
