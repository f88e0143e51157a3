#include "core/CellTextErrors.h"

#include "core/EchoText.h"
#include "core/KelvaneError.h"

namespace kelvane {

void ThrowNotIntegerForField(std::string_view text, const std::string& caption) {
    throw KelvaneError("'" + EchoText(text) + "' is not a valid integer value for field '" +
                       caption + "'");
}

void ThrowNotFloatForField(std::string_view text, const std::string& caption) {
    throw KelvaneError("'" + EchoText(text) + "' is not a valid floating point value for field '" +
                       caption + "'");
}

}  // namespace kelvane
