#pragma once

#include "core/table/RecordTable.h"

namespace kelvane {

// Suspends a table's listeners for a scope, also when the scope is left by an exception; the
// listeners then catch up with one reset.
class NotificationSuspension {
  public:
    explicit NotificationSuspension(RecordTable& table) : table_(table) {
        table_.SuspendNotifications();
    }
    ~NotificationSuspension() { table_.ResumeNotifications(); }
    NotificationSuspension(const NotificationSuspension&) = delete;
    NotificationSuspension& operator=(const NotificationSuspension&) = delete;

  private:
    RecordTable& table_;
};

}  // namespace kelvane
