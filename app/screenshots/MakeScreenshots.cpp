// Draws the editor's windows into PNG files for the README, on the offscreen platform, with
// the program's own windows and commands.

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>
#include <stdexcept>

#include "app/ui/ConsoleDialogs.h"
#include "app/ui/Program.h"
#include "app/ui/QtText.h"
#include "app/ui/TForm1.h"

namespace {

void Save(QWidget& window, const QString& path) {
    QApplication::processEvents();
    if (!window.grab().save(path)) {
        throw std::runtime_error("Cannot write " + kelvane::FromQt(path));
    }
    std::printf("wrote %s\n", kelvane::FromQt(path).c_str());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: kelvane-screenshots TABLE.dbc OUTDIR\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    try {
        const QDir outDir(QString::fromLocal8Bit(argv[2]));
        kelvane::ConsoleDialogs dialogs;
        kelvane::Program program(dialogs, dialogs, {argv[1]});
        kelvane::TForm1& mainWindow = program.MainWindow();
        mainWindow.show();
        mainWindow.RunCommandLine();
        // Whatever the program wanted to say was printed: the picture would not show the table.
        if (dialogs.Printed() > 0) {
            return 1;
        }
        Save(mainWindow, outDir.filePath("main-window.png"));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "kelvane-screenshots: %s\n", error.what());
        return 1;
    }
    return 0;
}
