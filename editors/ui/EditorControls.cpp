#include "editors/ui/EditorControls.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "shell/ui/QtText.h"

namespace kelvane {

QLineEdit* MakeTextField(const char* objectName, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(objectName));
    return field;
}

QComboBox* MakeFixedList(const char* objectName, std::span<const std::string_view> captions,
                         QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(objectName));
    for (const std::string_view caption : captions) {
        list->addItem(ToQt(caption));
    }
    list->setCurrentIndex(-1);
    return list;
}

QPushButton* MakeButton(const char* objectName, const char* caption, QWidget* parent) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(objectName));
    return button;
}

QToolButton* MakeSpeedButton(const char* objectName, const char* caption, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setText(QString::fromLatin1(caption));
    button->setAutoRaise(true);
    return button;
}

QLabel* MakeLabel(const char* text, QWidget* parent) {
    return new QLabel(QString::fromLatin1(text), parent);
}

void LabelledRows::AddRow(const char* caption, QWidget* field, QWidget* after) {
    QWidget* parent = grid_.parentWidget();
    grid_.addWidget(MakeLabel(caption, parent), row_, column_);
    grid_.addWidget(field, row_, column_ + 1);
    if (after != nullptr) {
        grid_.addWidget(after, row_, column_ + 2);
    }
    ++row_;
}

}  // namespace kelvane
