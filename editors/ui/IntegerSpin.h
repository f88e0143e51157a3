#pragma once

#include <QSpinBox>
#include <cstdint>

namespace kelvane {

// A spin field over the whole range of a 32-bit integer, starting at 0. A text that is no
// number counts as 0: it is read so, and shown as 0 once the user leaves the field.
class IntegerSpin : public QSpinBox {
    Q_OBJECT

  public:
    IntegerSpin(const char* objectName, int step, QWidget* parent);

    // The number the field's text stands for.
    int32_t Number() const;

  protected:
    void fixup(QString& input) const override;
};

}  // namespace kelvane
