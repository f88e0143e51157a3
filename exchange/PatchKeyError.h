#pragma once

#include "core/base/KelvaneError.h"

namespace kelvane {

// The key column refused the key of a line's new record: the line does not start with a key
// this table can hold. what() is the column's own message.
class PatchKeyError : public KelvaneError {
  public:
    using KelvaneError::KelvaneError;
};

}  // namespace kelvane
