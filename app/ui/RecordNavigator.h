#pragma once

#include <QWidget>
#include <functional>

class QToolButton;

namespace kelvane {

class RecordTable;
class RecordViewModel;
class UserDialogs;

// The bar of record buttons above the grid: first, prior, next, last (among the shown
// records), insert, delete (after
// asking), edit, post, cancel and refresh, each acting on the shown table. A failing command
// shows its message. Each button first runs commitTypedEdit, which hands a value still being
// typed into the grid to the table; a refused value stops the button's command.
class RecordNavigator : public QWidget {
    Q_OBJECT

  public:
    RecordNavigator(RecordViewModel& view, UserDialogs& dialogs,
                    std::function<bool()> commitTypedEdit, QWidget* parent = nullptr);

  signals:
    // A button's command has run (or failed and said why): the grid can take the focus back.
    void CommandFinished();

  private:
    void AddButton(const char* objectName, const QString& glyph, const char* toolTip,
                   std::function<void(RecordTable&)> command);
    void Run(const std::function<void(RecordTable&)>& command);
    void StepAmongShown(RecordTable& table, int step);
    void FollowTableOpenState();

    RecordViewModel& view_;
    UserDialogs& dialogs_;
    std::function<bool()> commitTypedEdit_;
};

}  // namespace kelvane
