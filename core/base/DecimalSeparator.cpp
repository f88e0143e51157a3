#include "core/base/DecimalSeparator.h"

#include <clocale>
#include <optional>
#include <string>

namespace kelvane {
namespace {

char SeparatorOfEnvironmentLocale() {
    // Look at the user's locale without leaving the process switched to it: the C library's
    // number formatting must keep using "." everywhere else.
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous != nullptr ? previous : "C";
    char separator = '.';
    if (std::setlocale(LC_NUMERIC, "") != nullptr) {
        const std::lconv* conventions = std::localeconv();
        if (conventions != nullptr && conventions->decimal_point != nullptr &&
            conventions->decimal_point[0] != '\0') {
            separator = conventions->decimal_point[0];
        }
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
    return separator;
}

std::optional<char>& Separator() {
    static std::optional<char> separator;
    return separator;
}

}  // namespace

char DecimalSeparator() {
    if (!Separator()) {
        Separator() = SeparatorOfEnvironmentLocale();
    }
    return *Separator();
}

void SetDecimalSeparator(char separator) {
    Separator() = separator;
}

}  // namespace kelvane
