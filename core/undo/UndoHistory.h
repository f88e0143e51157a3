#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/table/RecordTableJournal.h"

namespace kelvane {

class RecordTable;

// The open table's undo and redo, without limit. It keeps what each change replaced (the cells
// before an edit, a removed record, the records an emptying took out), never a copy of the
// table. Each command is one step however many records it touched; a change made outside any
// command is a step of its own, named after what it did. Loading, creating or closing the table
// starts a fresh history.
class UndoHistory final : public RecordTableJournal {
  public:
    // Becomes the table's journal for as long as it lives.
    explicit UndoHistory(RecordTable& table);
    ~UndoHistory() override;
    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;

    // A record being edited counts as the step its posting will make: Undo takes it back, and
    // as posting drops the steps undone, there is then nothing to redo.
    bool CanUndo() const { return !UndoName().empty(); }
    bool CanRedo() const { return !RedoName().empty(); }
    // What Undo takes back and Redo does again: "Edit Cell", "Import Patch"; "" when none.
    std::string UndoName() const;
    std::string RedoName() const;
    // A record being edited is posted first, so Undo takes back the edit just made.
    void Undo();
    void Redo();

    // The table now holds what its file holds.
    void MarkSaved();
    // Whether the stored records differ from what was last saved or loaded.
    bool ChangedSinceSave() const { return saved_ != done_; }
    // Called whenever the answers above may have changed.
    void SetChangeListener(std::function<void()> listener);

    void BeginStep(std::string_view name) override;
    void EndStep() override;
    void RecordChanged(RecordId record, SavedCells before) override;
    void RecordAdded(RecordId record) override;
    void RecordRemoved(RecordId record, int row, SavedCells cells) override;
    void AllRecordsRemoved(TableRecords records) override;
    void AllRecordsRestored() override;
    void TableReplaced() override;
    uint64_t Mark() const override { return stepsAdded_; }
    void TakeBackTo(uint64_t mark) override;

  private:
    struct Change {
        enum class Kind { Changed, Added, Removed, AllRemoved, AllRestored };
        Kind What = Kind::Changed;
        RecordId Record;
        int Row = 0;       // where a removed record was
        SavedCells Cells;  // the cells a change replaced, or all cells of a removed record
        std::unique_ptr<TableRecords> Records;  // what an emptying took out
    };
    struct Step {
        std::string Name;
        std::vector<Change> Changes;
    };

    void Add(Change change);
    // Whether the change posts the record a command left being edited or inserted.
    bool PostsPendingRecord(const Change& change) const;
    bool Typing() const;
    // The name of a change made outside any command.
    static std::string LoneStepName(const Change& change);
    // Takes back the step's changes, last first; what that does becomes the step's changes, so
    // taking them back again does the step again.
    void Revert(Step& step);
    void RevertChange(Change& change);
    // The identity a record has now: putting back a removed record gives it a new one.
    RecordId Current(RecordId record) const;
    void Clear();
    void Notify();

    RecordTable& table_;
    std::vector<Step> steps_;
    size_t done_ = 0;  // steps_[0, done_) are done, the rest undone
    // The value of done_ when the table matched its file; none once that state cannot return.
    std::optional<size_t> saved_ = 0;
    int depth_ = 0;
    std::string openName_;
    bool openStepAdded_ = false;
    // A command may end on a record it is still editing or inserting (an import leaves the
    // record it added last open); posting that record later is part of the command's step.
    RecordId pendingRecord_;
    std::string pendingName_;
    bool pendingStepAdded_ = false;
    // While a step is reverted, the changes the reverting makes.
    std::vector<Change>* replay_ = nullptr;
    std::unordered_map<uint64_t, RecordId> renamed_;
    // Steps added since the history started afresh: each new one is the last done step.
    uint64_t stepsAdded_ = 0;
    // The undone steps the last new step made unreachable, with the saved state then, given
    // back when that step is taken back (TakeBackTo).
    struct Unreachable {
        uint64_t StepsAdded = UINT64_MAX;  // stepsAdded_ before that step
        std::optional<size_t> Saved;
        std::vector<Step> Steps;
    };
    Unreachable unreachable_;
    std::function<void()> listener_;
};

}  // namespace kelvane
