#pragma once

#include <exception>

namespace kelvane {

// Ends a command the user chose not to go on with, deep inside it (a question asked halfway
// through a window's action). Not an error: the command guard shows nothing for it.
class CommandCancelled : public std::exception {
  public:
    const char* what() const noexcept override { return "The command was cancelled."; }
};

}  // namespace kelvane
