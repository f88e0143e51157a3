#pragma once

#include "core/RecordTable.h"

namespace kelvane {

// Suspends a table's listeners for a scope, also when the scope is left by an exception; the
// listeners then catch up with one reset.
class ControlsSuspension {
  public:
    explicit ControlsSuspension(RecordTable& table) : table_(table) { table_.DisableControls(); }
    ~ControlsSuspension() { table_.EnableControls(); }
    ControlsSuspension(const ControlsSuspension&) = delete;
    ControlsSuspension& operator=(const ControlsSuspension&) = delete;

  private:
    RecordTable& table_;
};

}  // namespace kelvane
