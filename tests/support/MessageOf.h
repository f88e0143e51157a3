#pragma once

#include <functional>
#include <string>

#include "core/base/KelvaneError.h"

namespace kelvane::testing {

// The message with which run fails, or "no failure".
inline std::string MessageOf(const std::function<void()>& run) {
    try {
        run();
    } catch (const KelvaneError& error) {
        return error.what();
    }
    return "no failure";
}

}  // namespace kelvane::testing
