#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "app/FieldSettings.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QShowEvent;
class QTableWidget;
class QTableWidgetItem;

namespace kelvane {

class UserDialogs;
struct Workspace;

// "Fields Settings": the definitions of the open table's fields in an editable grid. OK reads
// every row and closes the dialog with the definitions they give (a row that cannot be used is
// named and keeps the dialog open); taking them over is the caller's. Kind, Hex and Bits cells
// are chosen from drop-down lists laid over the selected cell, never typed. "From definitions"
// and "Guess" fill the rows from the table's .dbd layout or from its data, for the user to check
// before OK.
class FieldSettingsDialog : public QDialog {
    Q_OBJECT

  public:
    FieldSettingsDialog(Workspace& work, UserDialogs& dialogs, QWidget* parent = nullptr);

    // The definitions of fields 0 to n - 1 the rows gave when OK closed the dialog.
    const std::vector<FieldDef>& ConfirmedDefinitions() const { return confirmed_; }

  signals:
    // "Load Preset" was clicked: the preset window is to be shown.
    void LoadPresetRequested();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QComboBox* MakeInplaceList(const char* objectName, const QStringList& items);
    QWidget* MakeBottomPanel();
    void ShowRows(const std::vector<FieldSettingsRow>& rows);
    // Runs a fill of the rows, whose failure is shown and leaves the rows as they were; false
    // then.
    bool FillRows(const std::function<std::vector<FieldSettingsRow>()>& fill);
    std::vector<FieldSettingsRow> GridRows() const;
    // The drop-down list of a column, or nullptr where cells are typed into.
    QComboBox* InplaceListOf(int column) const;
    void HideInplaceLists();
    void ShowInplaceList(int row, int column);
    void TakeChosenItem(QComboBox& list, int index);
    void OkClicked();

    Workspace& work_;
    UserDialogs& dialogs_;
    QTableWidget* grid_;
    QComboBox* kindList_;
    QComboBox* hexList_;
    QComboBox* sizeList_;
    // The cell the shown list was opened on, which a choice in the list writes.
    QTableWidgetItem* listCell_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QLabel* result_ = nullptr;
    std::vector<FieldDef> confirmed_;
};

}  // namespace kelvane
