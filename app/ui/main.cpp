#include <QApplication>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/ui/Program.h"
#include "app/ui/QtDialogs.h"
#include "app/ui/QtText.h"
#include "app/ui/TForm1.h"

namespace {

// Qt's own message for a missing display is a page of plugin names; say what to do instead.
bool DisplayAvailable() {
    const auto isSet = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return isSet("QT_QPA_PLATFORM") || isSet("DISPLAY") || isSet("WAYLAND_DISPLAY");
}

}  // namespace

int main(int argc, char** argv) {
    if (!DisplayAvailable()) {
        std::fputs(
            "kelvane: no graphical display found (DISPLAY is not set). Run it on a desktop, "
            "or without one under a virtual display: xvfb-run kelvane [FILE.dbc]\n",
            stderr);
        return 1;
    }
    QApplication application(argc, argv);
    std::vector<std::string> arguments;
    const QStringList qtArguments = QApplication::arguments();
    for (qsizetype i = 1; i < qtArguments.size(); ++i) {
        arguments.push_back(kelvane::FromQt(qtArguments[i]));
    }

    kelvane::QtDialogs dialogs;
    kelvane::Program program(dialogs, dialogs, std::move(arguments));
    dialogs.SetParentWindow(&program.MainWindow());
    program.MainWindow().show();
    return QApplication::exec();
}
