#pragma once

#include <QObject>
#include <string>
#include <vector>

#include "app/RecentFiles.h"

class QAction;
class QMenu;

namespace kelvane {

class KeptSettings;

// File > Recent files: the files opened last, newest first, the first nine also on Ctrl+1 to
// Ctrl+9. The list is kept in the settings as it changes, so a crash does not lose it.
class RecentFilesMenu : public QObject {
    Q_OBJECT

  public:
    RecentFilesMenu(QMenu& menu, KeptSettings& settings, QObject* parent = nullptr);

    void Add(const std::string& path);

  signals:
    void fileChosen(const std::string& path);

  private:
    void ShowFiles();

    QMenu& menu_;
    KeptSettings& settings_;
    RecentFiles files_;
    // Made once and relabelled: an entry may be relabelled while its own choice runs.
    std::vector<QAction*> entries_;
};

}  // namespace kelvane
