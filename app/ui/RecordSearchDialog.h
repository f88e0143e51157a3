#pragma once

#include <QDialog>

#include "app/SearchSettings.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QShowEvent;

namespace kelvane {

class ModalRunner;
class RecordTable;

// The record search's questions: what to look for, in which columns, how and from where.
// Opens filled from the settings and exists only while it is shown.
class RecordSearchDialog : public QDialog {
    Q_OBJECT

  public:
    explicit RecordSearchDialog(const SearchSettings& settings, QWidget* parent = nullptr);

    // The dialog's choices over the settings; the field list and the caption stay.
    void StoreInto(SearchSettings& settings) const;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QWidget* MakeColumnChoice(const SearchSettings& settings);
    QWidget* MakeOptions(const SearchSettings& settings);
    QWidget* MakeOrigin(const SearchSettings& settings);

    QLineEdit* value_;
    QRadioButton* allFields_ = nullptr;
    QRadioButton* oneField_ = nullptr;
    QComboBox* fields_ = nullptr;
    QCheckBox* caseSensitive_ = nullptr;
    QComboBox* mode_ = nullptr;
    QRadioButton* fromCurrent_ = nullptr;
};

// The "Find" command: asks with the dialog and, when confirmed, keeps the choices in the
// settings and makes the first matching record current. Nothing is said when no record
// matches. Fails as FindRecord does (scanning a closed table).
void RunRecordSearch(QWidget* parent, ModalRunner& modals, RecordTable& table,
                     SearchSettings& settings);

}  // namespace kelvane
