#include "tests/gui/support/RunningProgram.h"

#include <QAction>
#include <QTest>
#include <utility>

#include "app/ui/MainWindow.h"
#include "tests/gui/support/WidgetLookup.h"

namespace kelvane::testing {

RunningProgram::RunningProgram(std::vector<std::string> arguments)
    : app_(std::make_unique<Program>(Dialogs, Modals, std::move(arguments))) {}

void RunningProgram::Restart(std::vector<std::string> arguments) {
    // One run at a time: the next reads only what the last one left behind.
    app_.reset();
    app_ = std::make_unique<Program>(Dialogs, Modals, std::move(arguments));
}

bool RunningProgram::ShowActive() {
    MainWindow& window = app_->MainWindow();
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

void RunningProgram::OpenWithMenu(const std::string& path) {
    Dialogs.FileAnswers.push_back(path);
    Child<QAction>(app_->MainWindow(), "MenuItemOpenDbc")->trigger();
}

}  // namespace kelvane::testing
