#pragma once

#include <QGroupBox>
#include <initializer_list>

class QButtonGroup;

namespace kelvane {

// A captioned group of radio buttons of which exactly one is selected, laid out in the given
// number of columns and known by their positions. The first is selected at start.
class RadioGroup : public QGroupBox {
    Q_OBJECT

  public:
    RadioGroup(const char* objectName, const char* caption,
               std::initializer_list<const char*> items, int columns, QWidget* parent);

    int ItemIndex() const;

  signals:
    // The user (or the program) selected another item.
    void ItemIndexChanged(int index);

  private:
    QButtonGroup* buttons_;
};

}  // namespace kelvane
