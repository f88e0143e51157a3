#pragma once

#include <string>
#include <string_view>

namespace kelvane {

// The messages with which a cell refuses a value, named after the field's caption.
[[noreturn]] void ThrowNotIntegerForField(std::string_view text, const std::string& caption);
[[noreturn]] void ThrowNotFloatForField(std::string_view text, const std::string& caption);

}  // namespace kelvane
