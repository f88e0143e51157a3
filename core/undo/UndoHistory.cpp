#include "core/undo/UndoHistory.h"

#include <cstddef>
#include <exception>
#include <iterator>
#include <utility>

#include "core/base/KelvaneError.h"
#include "core/table/NotificationSuspension.h"
#include "core/table/RecordTable.h"
#include "core/table/TableState.h"
#include "core/undo/TableBatch.h"

namespace kelvane {
UndoHistory::UndoHistory(RecordTable& table) : table_(table) {
    table_.SetJournal(this);
}

UndoHistory::~UndoHistory() {
    table_.SetJournal(nullptr);
}

bool UndoHistory::Typing() const {
    return table_.State() != TableState::Browse && table_.Modified();
}

std::string UndoHistory::UndoName() const {
    if (Typing()) {
        if (pendingRecord_.IsValid() && pendingRecord_ == table_.RecordIdAt(table_.CurrentRow())) {
            return pendingName_;
        }
        return table_.State() == TableState::Insert ? "Insert Record" : "Edit Cell";
    }
    return done_ > 0 ? steps_[done_ - 1].Name : std::string();
}

std::string UndoHistory::RedoName() const {
    return !Typing() && done_ < steps_.size() ? steps_[done_].Name : std::string();
}

void UndoHistory::SetChangeListener(std::function<void()> listener) {
    listener_ = std::move(listener);
}

void UndoHistory::Notify() {
    if (listener_) {
        listener_();
    }
}

void UndoHistory::MarkSaved() {
    saved_ = done_;
    Notify();
}

void UndoHistory::Undo() {
    table_.FinishEditing();
    pendingRecord_ = {};
    if (done_ == 0) {
        return;
    }
    Revert(steps_[done_ - 1]);
    --done_;
    Notify();
}

void UndoHistory::Redo() {
    table_.FinishEditing();
    pendingRecord_ = {};
    if (done_ == steps_.size()) {
        return;
    }
    Revert(steps_[done_]);
    ++done_;
    Notify();
}

void UndoHistory::TakeBackTo(uint64_t mark) {
    pendingRecord_ = {};
    while (stepsAdded_ > mark && done_ > 0) {
        Revert(steps_[done_ - 1]);
        --done_;
        steps_.resize(done_);
        --stepsAdded_;
    }
    if (unreachable_.StepsAdded == stepsAdded_) {
        std::move(unreachable_.Steps.begin(), unreachable_.Steps.end(), std::back_inserter(steps_));
        saved_ = unreachable_.Saved;
    }
    unreachable_ = {};
    Notify();
}

void UndoHistory::Revert(Step& step) {
    std::vector<Change> replayed;
    replay_ = &replayed;
    try {
        // A big step is taken back with the views suspended, so they catch up once instead of
        // following every record.
        std::optional<NotificationSuspension> quiet;
        if (step.Changes.size() > kQuietBatchRecords) {
            quiet.emplace(table_);
        }
        for (auto change = step.Changes.rbegin(); change != step.Changes.rend(); ++change) {
            RevertChange(*change);
        }
    } catch (const std::exception& failure) {
        // Half a step taken back leaves the other steps describing a table that is not there.
        replay_ = nullptr;
        Clear();
        throw KelvaneError(std::string(failure.what()) + "\nThe undo history was cleared.");
    }
    replay_ = nullptr;
    step.Changes = std::move(replayed);
}

void UndoHistory::RevertChange(Change& change) {
    switch (change.What) {
        case Change::Kind::Changed:
            table_.RestoreCells(Current(change.Record), change.Cells);
            break;
        case Change::Kind::Added:
            table_.RemoveRecord(Current(change.Record));
            break;
        case Change::Kind::Removed: {
            const RecordId gone = Current(change.Record);
            renamed_[gone.Serial()] = table_.RestoreRecord(change.Row, change.Cells);
            break;
        }
        case Change::Kind::AllRemoved:
            table_.RestoreAllRecords(std::move(*change.Records));
            break;
        case Change::Kind::AllRestored:
            table_.DeleteAllRecords();
            break;
    }
}

RecordId UndoHistory::Current(RecordId record) const {
    for (auto found = renamed_.find(record.Serial()); found != renamed_.end();
         found = renamed_.find(record.Serial())) {
        record = found->second;
    }
    return record;
}

void UndoHistory::BeginStep(std::string_view name) {
    if (depth_++ == 0) {
        openName_ = name;
        openStepAdded_ = false;
    }
}

void UndoHistory::EndStep() {
    if (--depth_ > 0) {
        return;
    }
    const bool editing = table_.State() != TableState::Browse;
    pendingRecord_ = editing ? table_.RecordIdAt(table_.CurrentRow()) : RecordId();
    pendingName_ = openName_;
    pendingStepAdded_ = openStepAdded_;
    if (openStepAdded_ || editing) {
        Notify();
    }
}

bool UndoHistory::PostsPendingRecord(const Change& change) const {
    return depth_ == 0 && pendingRecord_.IsValid() && change.Record == pendingRecord_ &&
           (change.What == Change::Kind::Changed || change.What == Change::Kind::Added);
}

void UndoHistory::Add(Change change) {
    if (replay_ != nullptr) {
        replay_->push_back(std::move(change));
        return;
    }
    if (PostsPendingRecord(change)) {
        pendingRecord_ = {};
        if (pendingStepAdded_ && done_ == steps_.size() && done_ > 0) {
            steps_.back().Changes.push_back(std::move(change));
            Notify();
            return;
        }
        // The command stored nothing else: its step starts with this change.
        BeginStep(pendingName_);
        Add(std::move(change));
        EndStep();
        return;
    }
    pendingRecord_ = {};
    const bool startsStep = depth_ == 0 || !openStepAdded_;
    if (startsStep) {
        // A new change makes the undone steps unreachable, and with them a saved state among
        // them; they are kept aside until the next step, in case this one is taken back.
        unreachable_ = Unreachable{stepsAdded_, saved_, {}};
        std::move(steps_.begin() + static_cast<std::ptrdiff_t>(done_), steps_.end(),
                  std::back_inserter(unreachable_.Steps));
        steps_.resize(done_);
        if (saved_ && *saved_ > done_) {
            saved_.reset();
        }
        const bool lone = depth_ == 0;
        steps_.push_back(Step{lone ? LoneStepName(change) : openName_, {}});
        ++done_;
        ++stepsAdded_;
        openStepAdded_ = !lone;
    }
    steps_.back().Changes.push_back(std::move(change));
    if (depth_ == 0) {
        Notify();
    }
}

std::string UndoHistory::LoneStepName(const Change& change) {
    switch (change.What) {
        case Change::Kind::Added:
            return "Insert Record";
        case Change::Kind::Removed:
            return "Delete Record";
        case Change::Kind::AllRemoved:
        case Change::Kind::AllRestored:
            return "Empty Table";
        case Change::Kind::Changed:
            break;
    }
    return change.Cells.Size() == 1 ? "Edit Cell" : "Edit Record";
}

void UndoHistory::RecordChanged(RecordId record, SavedCells before) {
    Add(Change{Change::Kind::Changed, record, 0, std::move(before), nullptr});
}

void UndoHistory::RecordAdded(RecordId record) {
    Add(Change{Change::Kind::Added, record, 0, {}, nullptr});
}

void UndoHistory::RecordRemoved(RecordId record, int row, SavedCells cells) {
    Add(Change{Change::Kind::Removed, record, row, std::move(cells), nullptr});
}

void UndoHistory::AllRecordsRemoved(TableRecords records) {
    Add(Change{
        Change::Kind::AllRemoved, {}, 0, {}, std::make_unique<TableRecords>(std::move(records))});
}

void UndoHistory::AllRecordsRestored() {
    Add(Change{Change::Kind::AllRestored, {}, 0, {}, nullptr});
}

void UndoHistory::TableReplaced() {
    Clear();
    Notify();
}

void UndoHistory::Clear() {
    steps_.clear();
    done_ = 0;
    saved_ = 0;
    openStepAdded_ = false;
    pendingRecord_ = {};
    renamed_.clear();
    stepsAdded_ = 0;
    unreachable_ = {};
}

}  // namespace kelvane
