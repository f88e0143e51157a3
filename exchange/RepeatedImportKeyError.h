#pragma once

#include <string>
#include <string_view>

#include "core/base/KelvaneError.h"

namespace kelvane {

// An import by key met a key on more than one row of its source, or on more than one record of
// the table, and would have had to guess which record a row means. what() names the key, its
// rows and its records; the command that chose the match adds how to match by position.
class RepeatedImportKeyError : public KelvaneError {
  public:
    using KelvaneError::KelvaneError;
};

// Runs an import; a refusal over a repeated key goes on with hint, which tells the user how
// this command matches by position.
template <typename Import>
auto ImportHintingPosition(std::string_view hint, Import import) -> decltype(import()) {
    try {
        return import();
    } catch (const RepeatedImportKeyError& error) {
        throw KelvaneError(std::string(error.what()) + " " + std::string(hint));
    }
}

}  // namespace kelvane
