// Draws the editor's windows into PNG files for the README, on the offscreen platform, with
// the program's own windows and commands.

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>
#include <stdexcept>

#include "app/UserDialogs.h"
#include "app/ui/ModalRunner.h"
#include "app/ui/Program.h"
#include "app/ui/QtText.h"
#include "app/ui/TForm1.h"

namespace {

// Nobody can answer a window here: anything that would ask stops the run with its text.
class NoDialogs : public kelvane::UserDialogs, public kelvane::ModalRunner {
  public:
    void ShowMessage(const std::string& text) override { throw std::runtime_error(text); }
    bool AskYesNo(const std::string& text) override { throw std::runtime_error(text); }
    std::optional<std::string> ChooseOpenFile(const kelvane::FileDialogRequest& request) override {
        throw std::runtime_error(request.Title);
    }
    std::optional<std::string> ChooseSaveFile(const kelvane::FileDialogRequest& request) override {
        throw std::runtime_error(request.Title);
    }
    int RunModal(QDialog&) override { throw std::runtime_error("a modal window"); }
};

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
        NoDialogs dialogs;
        kelvane::Program program(dialogs, dialogs, {argv[1]});
        kelvane::TForm1& mainWindow = program.MainWindow();
        mainWindow.show();
        mainWindow.RunCommandLine();
        Save(mainWindow, outDir.filePath("main-window.png"));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "kelvane-screenshots: %s\n", error.what());
        return 1;
    }
    return 0;
}
