#pragma once

#include <exception>

namespace kelvane {

// Stops a long change of the table that the user chose not to wait for; thrown from its
// progress (WorkProgress). The change is taken back (RunAsOneBatch), and the command ends
// without an error message.
class WorkCancelled : public std::exception {
  public:
    const char* what() const noexcept override { return "The work was cancelled."; }
};

}  // namespace kelvane
