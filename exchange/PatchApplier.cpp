#include "exchange/PatchApplier.h"

#include <utility>

#include "core/base/EchoText.h"
#include "core/base/KelvaneError.h"
#include "core/table/Field.h"
#include "core/table/RecordTable.h"
#include "exchange/PatchKeyError.h"

namespace kelvane {
namespace {

constexpr int kKeyColumn = 1;  // column number 0; Index is column number -1

std::string ColumnNumberProblem(const PatchPairText& pair) {
    if (!pair.Column.empty()) {
        return "'" + EchoText(pair.Column) + "' is not a column number";
    }
    if (pair.Value.empty()) {
        return "no column number and no value";
    }
    return "no column number before '=' in '" + EchoText(pair.Value) + "'";
}

// A value written in double quotes ends at the first double quote followed by a comma, so a
// text holding one breaks off there and its rest is taken for the pairs after it.
std::string QuoteHint(std::span<const PatchPairText> pairs, size_t failed) {
    if (failed == 0 || !pairs[failed - 1].Quoted) {
        return {};
    }
    return "; probably the text of column " + EchoText(pairs[failed - 1].Column) +
           " held a double quote before a comma, where patch text ends a quoted value";
}

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
    for (size_t i = 0; i < pairs.size(); ++i) {
        const PatchPairText& pair = pairs[i];
        const std::optional<int32_t> number = PatchColumnNumber(pair.Column);
        if (!number) {
            throw PatchPairError("pair " + std::to_string(i + 1),
                                 ColumnNumberProblem(pair) + QuoteHint(pairs, i));
        }
        try {
            Assign(*number, pair.Value);
        } catch (const KelvaneError& error) {
            throw PatchPairError("column " + std::to_string(*number),
                                 error.what() + QuoteHint(pairs, i));
        }
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

void PatchApplier::Assign(int32_t columnNumber, std::string_view value) {
    const int lastNumber = table_.FieldCount() - 1 - kKeyColumn;
    if (columnNumber < -1 || columnNumber > lastNumber) {
        throw KelvaneError("no such column: the table has columns -1 to " +
                           std::to_string(lastNumber));
    }
    table_.Fields(columnNumber + kKeyColumn).SetAsString(value);
}

}  // namespace kelvane
