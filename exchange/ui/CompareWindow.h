#pragma once

#include <QWidget>
#include <functional>
#include <memory>

class QLabel;
class QTabWidget;
class QTableView;

namespace kelvane {

class CompareRecordsModel;
class TableComparison;
class UserDialogs;

// "Compare": the differences between two states of a table: the changed records with their
// changed cells marked, the added and the removed records, their counts, a button that swaps
// which state is the older one and one that saves the patch text turning the older into the
// newer. Closing the window lets the comparison go.
class CompareWindow : public QWidget {
    Q_OBJECT

  public:
    // Asks where to write the patch text of a comparison and writes it.
    using SavePatchAction = std::function<void(const TableComparison&)>;

    CompareWindow(SavePatchAction savePatch, UserDialogs& dialogs, QWidget* parent);
    ~CompareWindow() override;

    // Shows the comparison in place of any earlier one and brings the window forward.
    void Show(std::unique_ptr<TableComparison> comparison);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QTableView* AddRecordsTab(const char* objectName, CompareRecordsModel* model);
    QWidget* BuildButtons();
    void ShowDiff();
    void Release();

    SavePatchAction savePatch_;
    UserDialogs& dialogs_;
    std::unique_ptr<TableComparison> comparison_;
    QLabel* summary_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    CompareRecordsModel* changed_ = nullptr;
    CompareRecordsModel* added_ = nullptr;
    CompareRecordsModel* removed_ = nullptr;
};

}  // namespace kelvane
