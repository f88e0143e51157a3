#include <QApplication>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/EditorArguments.h"
#include "app/ProgramTexts.h"
#include "app/ui/MainWindow.h"
#include "core/base/KelvaneError.h"
#include "core/files/TablePaths.h"
#include "core/workspace/Workspace.h"
#include "program/Program.h"
#include "shell/ui/ConsoleDialogs.h"
#include "shell/ui/QtDialogs.h"
#include "shell/ui/QtText.h"

namespace {

std::string_view Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// Platforms that draw into memory: nothing is seen, so nobody can answer a question.
bool HeadlessPlatform() {
    const std::string_view platform = Environment("QT_QPA_PLATFORM");
    return platform.starts_with("offscreen") || platform.starts_with("minimal");
}

bool DisplayAvailable() {
    return !HeadlessPlatform() &&
           (!Environment("QT_QPA_PLATFORM").empty() || !Environment("DISPLAY").empty() ||
            !Environment("WAYLAND_DISPLAY").empty());
}

int RunProgram(kelvane::UserDialogs& dialogs, kelvane::ModalRunner& modals, bool headless) {
    std::vector<std::string> arguments;
    const QStringList qtArguments = QApplication::arguments();
    for (qsizetype i = 1; i < qtArguments.size(); ++i) {
        arguments.push_back(kelvane::FromQt(qtArguments[i]));
    }
    kelvane::Program program(dialogs, modals, std::move(arguments));
    program.MainWindow().SetHeadless(headless);
    if (auto* qtDialogs = dynamic_cast<kelvane::QtDialogs*>(&dialogs)) {
        qtDialogs->SetParentWindow(&program.MainWindow());
        qtDialogs->SetFallbackFolder(
            [&program] { return kelvane::FolderOfPath(program.Work().Current.FilePath); });
    }
    program.MainWindow().show();
    return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
    // A mistyped flag is told before any window opens, like the command-line tool's.
    kelvane::EditorArguments parsed;
    try {
        parsed = kelvane::ParseEditorArguments(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const kelvane::KelvaneError& error) {
        std::fprintf(stderr, "kelvane: %s\n", error.what());
        return 2;
    }
    // Answered before any application is made, so they work without a display.
    if (parsed.HelpAsked || parsed.VersionAsked) {
        const std::string text =
            parsed.HelpAsked ? kelvane::EditorHelpText() : kelvane::EditorVersionText();
        std::fputs(text.c_str(), stdout);
        return 0;
    }
    const bool display = DisplayAvailable();
    const bool batch = !parsed.Others.empty() && parsed.Others.front() == "/i";
    if (!display && !batch && !HeadlessPlatform()) {
        // Qt's own message for a missing display is a page of plugin names; say what to do.
        std::fputs(
            "kelvane: no graphical display found (DISPLAY is not set). Run it on a desktop, "
            "or without one under a virtual display: xvfb-run kelvane [FILE.dbc]\n",
            stderr);
        return 1;
    }
    // A batch run needs no display: it then draws into memory and reports on stderr.
    if (!display && !HeadlessPlatform()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    if (display) {
        kelvane::QtDialogs dialogs;
        return RunProgram(dialogs, dialogs, false);
    }
    kelvane::ConsoleDialogs dialogs;
    return RunProgram(dialogs, dialogs, true);
}
