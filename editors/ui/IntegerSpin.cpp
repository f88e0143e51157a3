#include "editors/ui/IntegerSpin.h"

#include <limits>

namespace kelvane {

IntegerSpin::IntegerSpin(const char* objectName, int step, QWidget* parent) : QSpinBox(parent) {
    setObjectName(QString::fromLatin1(objectName));
    setRange(std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
    setSingleStep(step);
    setValue(0);
}

int32_t IntegerSpin::Number() const {
    // The text, not value(): while the user is still typing, value() keeps the last number.
    bool isNumber = false;
    const int number = cleanText().toInt(&isNumber);
    return isNumber ? number : 0;
}

void IntegerSpin::fixup(QString& input) const {
    // Only called for a text that is no number, such as "" or "-".
    input = QStringLiteral("0");
}

}  // namespace kelvane
