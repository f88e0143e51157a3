#pragma once

namespace kelvane {

// What a view of the shown records is told, in rows of the view. As with the table, every
// change is announced before it is made and reported after it; a change the view cannot
// describe (records leaving from several places at once) is a reset.
class RecordViewListener {
  public:
    virtual ~RecordViewListener() = default;

    virtual void ShownRowsAboutToBeInserted(int /*firstRow*/, int /*count*/) {}
    virtual void ShownRowsInserted() {}
    virtual void ShownRowsAboutToBeRemoved(int /*firstRow*/, int /*count*/) {}
    virtual void ShownRowsRemoved() {}
    // toRow is the row after the move.
    virtual void ShownRowAboutToBeMoved(int /*fromRow*/, int /*toRow*/) {}
    virtual void ShownRowMoved() {}
    virtual void ShownRowsAboutToBeReset() {}
    virtual void ShownRowsReset() {}
};

}  // namespace kelvane
