#include "program/CompareMenuWiring.h"

#include <QAction>

#include "app/CompareCommands.h"
#include "app/ui/MainWindow.h"
#include "exchange/TableComparison.h"
#include "exchange/ui/CompareWindow.h"

namespace kelvane {

void ConnectCompareMenu(MainWindow& mainWindow, CompareCommands& commands, CompareWindow& window) {
    mainWindow.ConnectCommand({mainWindow.Menus().CompareWith}, [&commands, &window] {
        if (std::unique_ptr<TableComparison> comparison = commands.CompareWithFile()) {
            window.Show(std::move(comparison));
        }
    });
}

}  // namespace kelvane
