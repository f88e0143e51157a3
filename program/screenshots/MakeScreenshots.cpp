// Draws the editor's windows into PNG files for the README, on the offscreen platform, with
// the program's own windows and commands.

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>
#include <deque>
#include <stdexcept>
#include <string>

#include "app/ui/MainWindow.h"
#include "program/Program.h"
#include "shell/ui/ConsoleDialogs.h"
#include "shell/ui/QtText.h"
#include "talents/ui/TalentTreeWindow.h"

namespace {

void Save(QWidget& window, const QString& path) {
    QApplication::processEvents();
    if (!window.grab().save(path)) {
        throw std::runtime_error("Cannot write " + kelvane::FromQt(path));
    }
    std::printf("wrote %s\n", kelvane::FromQt(path).c_str());
}

// Answers the file dialogs from a list of paths, one per dialog; everything else as on a
// console. The talent editor asks for its two tables this way.
class PathDialogs : public kelvane::ConsoleDialogs {
  public:
    std::deque<std::string> Paths;

    std::optional<std::string> ChooseOpenFile(const kelvane::FileDialogRequest& request) override {
        if (Paths.empty()) {
            return ConsoleDialogs::ChooseOpenFile(request);
        }
        std::string path = std::move(Paths.front());
        Paths.pop_front();
        return path;
    }
};

// Types a range into the filter field of the "school" column and leaves it, as a user does, so
// the picture shows the filter row and the status bar's count of records shown.
void ShowAFilter(kelvane::MainWindow& window) {
    QApplication::processEvents();  // the fields are made once the columns have their widths
    auto* field = window.findChild<QLineEdit*>(QStringLiteral("FilterField2"));
    if (field == nullptr) {
        throw std::runtime_error("The grid has no filter field for its third column");
    }
    field->setText(QStringLiteral("1..3"));
    field->setModified(true);  // as typing leaves it
    emit field->editingFinished();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fputs("usage: kelvane-screenshots TABLE.dbc TALENTTAB.dbc TALENT.dbc OUTDIR\n",
                   stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    try {
        const QDir outDir(QString::fromLocal8Bit(argv[4]));
        // The pictures show the program as it first starts, whatever this user's settings hold,
        // and leave those settings as they were.
        const QTemporaryDir settingsDir;
        qputenv("XDG_CONFIG_HOME", settingsDir.path().toLocal8Bit());
        PathDialogs dialogs;
        kelvane::Program program(dialogs, dialogs, {argv[1]});
        kelvane::MainWindow& mainWindow = program.MainWindow();
        mainWindow.show();
        mainWindow.RunCommandLine();
        // Whatever the program wanted to say was printed: the picture would not show the table.
        if (dialogs.Printed() > 0) {
            return 1;
        }
        ShowAFilter(mainWindow);
        Save(mainWindow, outDir.filePath("main-window.png"));

        // The talent editor asks for both tables as it appears, then shows the first class.
        dialogs.Paths = {argv[2], argv[3]};
        mainWindow.Menus().TalentEditor->trigger();
        QApplication::processEvents();
        if (dialogs.Printed() > 0 || !dialogs.Paths.empty()) {
            return 1;
        }
        Save(program.TalentTree(), outDir.filePath("talent-editor.png"));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "kelvane-screenshots: %s\n", error.what());
        return 1;
    }
    return 0;
}
