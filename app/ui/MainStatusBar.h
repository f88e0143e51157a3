#pragma once

#include <QStatusBar>
#include <optional>
#include <string>

class QLabel;

namespace kelvane {

struct DefinitionsFit;

// The main window's status bar: where the current record is, how many records a filter shows,
// the unsaved mark, the definitions in use, and what the last command did. Each part is a
// label of its own, named for the window tests.
class MainStatusBar : public QStatusBar {
    Q_OBJECT

  public:
    explicit MainStatusBar(QWidget* parent = nullptr);

    void ShowPosition(int currentRow, int recordCount, bool tableOpen);
    // The number of records a filter lets through; nullopt without a filter.
    void ShowShownCount(std::optional<int> shown);
    void ShowUnsaved(bool unsaved);
    void ShowDefinitions(const DefinitionsFit& fit);
    void ShowCommandResult(const std::string& result);

  private:
    QLabel* AddPart(const char* objectName, int stretch);

    QLabel* position_ = nullptr;
    QLabel* shown_ = nullptr;
    QLabel* unsaved_ = nullptr;
    QLabel* definitions_ = nullptr;
    QLabel* result_ = nullptr;
};

}  // namespace kelvane
