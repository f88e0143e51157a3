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
    // Whether the dialog was confirmed with "Find Next" rather than OK.
    bool FindNextChosen() const { return findNextChosen_; }

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
    bool findNextChosen_ = false;
};

// How the user left the search dialog.
enum class SearchRequest { Cancelled, Find, FindNext };

// The questions of the "Find" command: fills the field list from the table when it is still
// empty, asks with the dialog and, when confirmed, keeps the choices in the settings. The
// caller searches as the answer says.
SearchRequest AskRecordSearch(QWidget* parent, ModalRunner& modals, const RecordTable& table,
                              SearchSettings& settings);

}  // namespace kelvane
