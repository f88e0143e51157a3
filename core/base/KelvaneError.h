#pragma once

#include <stdexcept>
#include <string>

namespace kelvane {

// A failure whose message is meant for the user as it stands. Commands stop where it is
// thrown; the one handler per command shows the message (GUI) or prints it (CLI).
class KelvaneError : public std::runtime_error {
  public:
    explicit KelvaneError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace kelvane
