#include "editors/ui/RadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace kelvane {

RadioGroup::RadioGroup(const char* objectName, const char* caption,
                       std::initializer_list<const char*> items, int columns, QWidget* parent)
    : QGroupBox(QString::fromLatin1(caption), parent), buttons_(new QButtonGroup(this)) {
    setObjectName(QString::fromLatin1(objectName));
    auto* layout = new QGridLayout(this);
    // Items run down each column before the next one starts.
    const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
    int position = 0;
    for (const char* item : items) {
        auto* button = new QRadioButton(QString::fromLatin1(item), this);
        buttons_->addButton(button, position);
        layout->addWidget(button, position % rows, position / rows);
        ++position;
    }
    buttons_->button(0)->setChecked(true);
    connect(buttons_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked) {
            emit ItemIndexChanged(id);
        }
    });
}

int RadioGroup::ItemIndex() const {
    return buttons_->checkedId();
}

}  // namespace kelvane
