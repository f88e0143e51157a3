#pragma once

#include <QDialog>
#include <vector>

#include "app/FieldSettings.h"

class QComboBox;
class QProgressBar;
class QShowEvent;
class QTableWidget;
class QTableWidgetItem;

namespace kelvane {

class UserDialogs;
struct Workspace;

// "Fields Settings": the definitions of the open table's fields in an editable grid, taken over
// into the definitions and the table's field-definition file on OK. Kind, Hex and Bits cells
// are chosen from drop-down lists laid over the selected cell.
class FieldSettingsDialog : public QDialog {
    Q_OBJECT

  public:
    FieldSettingsDialog(Workspace& work, UserDialogs& dialogs, QWidget* parent = nullptr);

  signals:
    // "Load Preset" was clicked: the preset window is to be shown.
    void LoadPresetRequested();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QComboBox* MakeInplaceList(const char* objectName, const QStringList& items);
    QWidget* MakeBottomPanel();
    void FillGrid();
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
};

}  // namespace kelvane
