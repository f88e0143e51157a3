#include "app/ui/RecentFilesMenu.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

#include "app/ui/KeptSettings.h"
#include "shell/ui/QtText.h"

namespace kelvane {
namespace {

constexpr int kShortcutEntries = 9;

}  // namespace

RecentFilesMenu::RecentFilesMenu(QMenu& menu, KeptSettings& settings, QObject* parent)
    : QObject(parent), menu_(menu), settings_(settings), files_(settings.RecentFiles()) {
    for (int position = 0; position < RecentFiles::Capacity; ++position) {
        QAction* entry = menu_.addAction(QString());
        entry->setObjectName(QStringLiteral("RecentFile%1").arg(position + 1));
        if (position < kShortcutEntries) {
            entry->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + position)));
        }
        connect(entry, &QAction::triggered, this, [this, position] {
            const std::vector<std::string>& paths = files_.Paths();
            if (position < static_cast<int>(paths.size())) {
                emit fileChosen(paths[static_cast<size_t>(position)]);
            }
        });
        entries_.push_back(entry);
    }
    ShowFiles();
}

void RecentFilesMenu::Add(const std::string& path) {
    files_.Add(path);
    settings_.SetRecentFiles(files_.Paths());
    ShowFiles();
}

void RecentFilesMenu::ShowFiles() {
    const std::vector<std::string>& paths = files_.Paths();
    for (size_t position = 0; position < entries_.size(); ++position) {
        QAction* entry = entries_[position];
        const bool used = position < paths.size();
        entry->setText(
            used ? ToQt(RecentFiles::EntryCaption(static_cast<int>(position), paths[position]))
                 : QString());
        entry->setVisible(used);
        entry->setEnabled(used);
    }
    menu_.menuAction()->setEnabled(!paths.empty());
}

}  // namespace kelvane
