#pragma once

namespace kelvane {

class CompareCommands;
class CompareWindow;
class MainWindow;

// Connects "Tools" > "Compare with..." to the comparison and its window.
void ConnectCompareMenu(MainWindow& mainWindow, CompareCommands& commands, CompareWindow& window);

}  // namespace kelvane
