#include "exchange/PatchApplier.h"

#include <utility>

#include "core/EchoText.h"
#include "core/KelvaneError.h"
#include "core/RecordTable.h"
#include "exchange/PatchKeyError.h"

namespace kelvane {
namespace {

constexpr int kKeyColumn = 1;  // column number 0; Index is column number -1

}  // namespace

void PatchApplier::Apply(std::string_view key, std::span<const PatchPairText> pairs) {
    Field keyField = table_.Fields(kKeyColumn);
    FinishPreviousRecord();
    if (const std::optional<int> row = index_.FindRow(key)) {
        table_.MoveTo(*row);
        table_.Edit();
        editing_ = EditedRecord{false, std::string(key), *row};
    } else {
        // A new record goes in at the last record, where a walk that found nothing ends.
        table_.Last();
        table_.Insert();
        ++recordsAdded_;
        editing_ = EditedRecord{true, {}, table_.CurrentRow()};
        try {
            keyField.SetAsString(key);
        } catch (const KelvaneError& error) {
            throw PatchKeyError(error.what());
        }
    }
    for (const PatchPairText& pair : pairs) {
        Assign(pair);
    }
}

// What a move of the cursor does first: a changed record is posted, an unchanged one dropped.
void PatchApplier::FinishPreviousRecord() {
    const std::optional<EditedRecord> previous = std::exchange(editing_, std::nullopt);
    if (table_.State() == TableState::Browse) {
        return;
    }
    if (!table_.Modified()) {
        table_.Cancel();
        return;
    }
    table_.Post();
    if (!previous) {
        return;  // the user's own edit, posted before the index is first built
    }
    if (previous->Added) {
        index_.NoteAdded();
    } else {
        index_.NoteEdited(previous->FoundKey, previous->RowBefore);
    }
}

void PatchApplier::Assign(const PatchPairText& pair) {
    const std::optional<int32_t> number = PatchColumnNumber(pair.Column);
    if (!number) {
        throw KelvaneError("'" + EchoText(pair.Column) + "' is not a valid integer value");
    }
    const int lastNumber = table_.FieldCount() - 1 - kKeyColumn;
    if (*number < -1 || *number > lastNumber) {
        throw KelvaneError("Column number " + std::to_string(*number) +
                           " is out of range: the table has columns -1 to " +
                           std::to_string(lastNumber));
    }
    table_.Fields(*number + kKeyColumn).SetAsString(pair.Value);
}

}  // namespace kelvane
