#include "app/ui/CharSetValidator.h"

#include <algorithm>
#include <string>

#include "shell/ui/QtText.h"

namespace kelvane {

CharSetValidator::CharSetValidator(CharSet allowed, QObject* parent)
    : QValidator(parent), allowed_(allowed) {}

QValidator::State CharSetValidator::validate(QString& input, int& /*position*/) const {
    // The allowed characters are those of the table's 8-bit texts, so the check is made on the
    // text as the table will receive it.
    const std::string text = FromQt(input);
    const bool allAllowed =
        std::all_of(text.begin(), text.end(), [this](char c) { return allowed_.Allows(c); });
    return allAllowed ? Acceptable : Invalid;
}

}  // namespace kelvane
