#pragma once

#include <QValidator>

#include "core/table/ColumnPresentation.h"

namespace kelvane {

// Lets into a cell editor only the characters a column allows to be typed; a pasted text with
// any other character is refused as a whole.
class CharSetValidator : public QValidator {
    Q_OBJECT

  public:
    CharSetValidator(CharSet allowed, QObject* parent);

    State validate(QString& input, int& position) const override;

  private:
    CharSet allowed_;
};

}  // namespace kelvane
