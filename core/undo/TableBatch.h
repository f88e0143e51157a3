#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/base/WorkCancelled.h"
#include "core/table/NotificationSuspension.h"
#include "core/table/RecordTable.h"
#include "core/table/RecordTableJournal.h"
#include "core/undo/UndoStep.h"

namespace kelvane {

// Changes of up to this many records are told to the listeners one by one, which keeps a view's
// selection and costs little; more are told as one reset.
inline constexpr size_t kQuietBatchRecords = 64;
// A batch whose size is known only at its end counts as big.
inline constexpr size_t kUnknownBatchRecords = SIZE_MAX;

// Runs work that changes about `records` records as one batch: past kQuietBatchRecords the
// table's listeners hear one reset when it ends instead of every record on the way (a view of a
// hundred thousand records would spend far longer following each than the work takes), and the
// history hears one step named stepName. A record being edited is finished first, as it is not
// part of the batch. When the work is stopped by WorkCancelled, what it changed is taken back
// through the history before the exception goes on, so the table is as it was; without a
// history, nothing can be.
template <typename Work>
auto RunAsOneBatch(RecordTable& table, std::string_view stepName, size_t records,
                   const Work& work) {
    table.RequireActive();
    table.FinishEditing();
    std::optional<NotificationSuspension> suspension;
    if (records > kQuietBatchRecords) {
        suspension.emplace(table);
    }
    RecordTableJournal* journal = table.Journal();
    const uint64_t mark = journal != nullptr ? journal->Mark() : 0;
    try {
        const UndoStep step(table, stepName);
        return work();
    } catch (const WorkCancelled&) {
        table.Cancel();
        if (journal != nullptr) {
            journal->TakeBackTo(mark);
        }
        throw;
    }
}

}  // namespace kelvane
