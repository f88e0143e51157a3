#pragma once

#include <string_view>

#include "core/table/RecordTable.h"
#include "core/table/RecordTableJournal.h"

namespace kelvane {

// Makes every change of the table within a scope one step of its history, named after the
// command, also when the scope is left by an exception. Without a journal it does nothing.
class UndoStep {
  public:
    UndoStep(RecordTable& table, std::string_view name) : journal_(table.Journal()) {
        if (journal_ != nullptr) {
            journal_->BeginStep(name);
        }
    }
    ~UndoStep() {
        if (journal_ != nullptr) {
            journal_->EndStep();
        }
    }
    UndoStep(const UndoStep&) = delete;
    UndoStep& operator=(const UndoStep&) = delete;

  private:
    RecordTableJournal* journal_;
};

}  // namespace kelvane
