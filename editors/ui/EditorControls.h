#pragma once

#include <QString>
#include <span>
#include <string_view>

class QAbstractButton;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QWidget;

namespace kelvane {

// The plain controls the editor forms are built from, each given its object name.
QLineEdit* MakeTextField(const char* objectName, QWidget* parent);
// A list of fixed captions, without selection at start.
QComboBox* MakeFixedList(const char* objectName, std::span<const std::string_view> captions,
                         QWidget* parent);
QPushButton* MakeButton(const char* objectName, const char* caption, QWidget* parent);
// The small flat button beside a field.
QToolButton* MakeSpeedButton(const char* objectName, const char* caption, QWidget* parent);
QLabel* MakeLabel(const char* text, QWidget* parent);

// Fills one column pair of a grid from top to bottom: a caption label on the left and its
// field on the right, with an optional note or button after the field.
class LabelledRows {
  public:
    LabelledRows(QGridLayout& grid, int firstColumn) : grid_(grid), column_(firstColumn) {}

    template <typename Field>
    Field* Add(const char* caption, Field* field, QWidget* after = nullptr) {
        AddRow(caption, field, after);
        return field;
    }

  private:
    void AddRow(const char* caption, QWidget* field, QWidget* after);

    QGridLayout& grid_;
    int column_;
    int row_ = 0;
};

}  // namespace kelvane
