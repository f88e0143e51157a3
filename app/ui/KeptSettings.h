#pragma once

#include <QByteArray>
#include <QSettings>
#include <string>
#include <vector>

namespace kelvane {

// What the editor remembers from one run to the next: the recent files, the main window's
// size, position and dock layout, and the column widths the user chose for each table. Kept
// with QSettings as an ini file under the program's name, in the user's configuration folder
// (on Linux ~/.config/Kelvane/Kelvane.ini, or under $XDG_CONFIG_HOME).
class KeptSettings {
  public:
    KeptSettings();

    std::vector<std::string> RecentFiles() const;
    void SetRecentFiles(const std::vector<std::string>& paths);

    QByteArray WindowGeometry() const;
    QByteArray WindowLayout() const;
    void SetWindow(const QByteArray& geometry, const QByteArray& layout);

    // The width the user gave the column of that name in that table, 0 when none.
    int ColumnWidth(const std::string& table, const std::string& column) const;
    void SetColumnWidth(const std::string& table, const std::string& column, int width);

  private:
    QSettings settings_;
};

}  // namespace kelvane
