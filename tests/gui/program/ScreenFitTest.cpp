#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <memory>

#include "app/ui/FieldSettingsDialog.h"
#include "app/ui/MainWindow.h"
#include "app/ui/NewTableDialog.h"
#include "talents/ui/TalentTreeWindow.h"
#include "tests/gui/support/RunningProgram.h"
#include "tests/gui/support/WidgetLookup.h"
#include "tests/gui/support/WindowTests.h"
#include "tests/support/TalentSamples.h"

namespace kelvane::testing {
namespace {

// A laptop screen of 1366 x 768 and a larger one to its right; windows get frames as a
// window manager gives them.
constexpr char kScreens[] = R"({
  "windowFrameMargins": true,
  "screens": [
    {"name": "Laptop", "x": 0, "y": 0, "width": 1366, "height": 768},
    {"name": "Monitor", "x": 1366, "y": 0, "width": 1920, "height": 1080}
  ]
})";

}  // namespace

// Where the windows open and whether they fit, on a desktop of two screens.
class ScreenFitTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<RunningProgram> run_;

    MainWindow& Window() { return run_->App().MainWindow(); }
    QScreen* Screen(const char* name) {
        for (QScreen* screen : QGuiApplication::screens()) {
            if (screen->name() == QLatin1String(name)) {
                return screen;
            }
        }
        qFatal("no screen %s", name);
    }
    // The main window shown on the screen, as the user left it there.
    void ShowMainWindowOn(const char* name) {
        Window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&Window()));
        Window().move(Screen(name)->availableGeometry().topLeft() + QPoint(50, 50));
        QTRY_COMPARE(Window().screen(), Screen(name));
    }
    void OpenTalentEditor() {
        run_->Dialogs.FileAnswers.push_back(run_->Dir.File("TalentTab.dbc"));
        run_->Dialogs.FileAnswers.push_back(run_->Dir.File("Talent.dbc"));
        Window().Menus().TalentEditor->trigger();
        QTRY_COMPARE(run_->Dialogs.FileAnswers.size(), size_t{0});
    }

  private slots:
    void init() {
        run_ = std::make_unique<RunningProgram>();
        WriteTalentTab(run_->Dir.File("TalentTab.dbc"), {{41, "Affliction", 256, 0, 0}});
        WriteTalents(run_->Dir.File("Talent.dbc"), {{1001, 41, 0, 0, {11, 0, 0, 0, 0}}});
    }

    void cleanup() {
        QCOMPARE(run_->Dialogs.Unanswered, std::vector<std::string>{});
        run_.reset();
    }

    void talentEditorFitsTheLaptopScreenWithItsTabsInSight() {
        QCOMPARE(QGuiApplication::screens().size(), qsizetype(2));
        ShowMainWindowOn("Laptop");
        OpenTalentEditor();
        TalentTreeWindow& editor = run_->App().TalentTree();
        QCOMPARE(editor.screen(), Screen("Laptop"));
        QVERIFY(Screen("Laptop")->availableGeometry().contains(editor.frameGeometry()));
        auto* tabs = Child<QWidget>(editor, "TabControl1")->findChild<QTabBar*>();
        QVERIFY(editor.rect().contains(GeometryIn(editor, *tabs)));
        QVERIFY(editor.rect().contains(GeometryIn(editor, *Child<QComboBox>(editor, "ComboBox1"))));

        // The slots scroll; the tab's name and buttons under the tree stay in sight.
        auto* scroller = Child<QScrollArea>(editor, "TreeScroller");
        QVERIFY(scroller->verticalScrollBar()->maximum() > 0);
        for (const char* name : {"TabName", "SpeedButton30", "SpeedButton31", "SpeedButton32"}) {
            QVERIFY2(editor.rect().contains(GeometryIn(editor, *Child<QWidget>(editor, name))),
                     name);
        }
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        QCOMPARE(tabs->currentIndex(), 1);
    }

    void talentEditorKeepsItsFullHeightWhereItFits() {
        ShowMainWindowOn("Monitor");
        OpenTalentEditor();
        TalentTreeWindow& editor = run_->App().TalentTree();
        QCOMPARE(editor.screen(), Screen("Monitor"));
        QCOMPARE(editor.size(), QSize(372, 762));
        QCOMPARE(Child<QScrollArea>(editor, "TreeScroller")->verticalScrollBar()->maximum(), 0);
    }

    // The dialogs are created once at start; each opens where the main window is now.
    void dialogsOpenOnTheScreenOfTheMainWindow() {
        for (const char* screen : {"Laptop", "Monitor"}) {
            ShowMainWindowOn(screen);
            QList<QScreen*> shownOn;
            for (int dialog = 0; dialog < 3; ++dialog) {
                run_->Modals.Scripts.push_back([&shownOn](QDialog& shown) {
                    shownOn << QGuiApplication::screenAt(shown.frameGeometry().center());
                    return int(QDialog::Rejected);
                });
            }
            Window().Menus().NewTable->trigger();
            Window().Menus().Fields->trigger();
            Window().Menus().Find->trigger();
            QCOMPARE(shownOn, (QList<QScreen*>{Screen(screen), Screen(screen), Screen(screen)}));
        }
        QCOMPARE(run_->Modals.Shown.size(), size_t{6});
        QCOMPARE(run_->Modals.Shown[0], std::string("FormCreateNewDialog"));
        QCOMPARE(run_->Modals.Shown[1], std::string("FormFieldSettings"));
        QCOMPARE(run_->Modals.Shown[2], std::string("RecordSearchDialog"));
    }
};

// The screens are laid out before the application starts, from a file the offscreen platform
// reads; the file stays for the whole run.
int RunOnLaidOutScreens(int argc, char** argv) {
    const TempDir dir;
    dir.Write("screens.json", kScreens);
    qputenv("QT_QPA_PLATFORM",
            QByteArray("offscreen:configfile=") + dir.File("screens.json").c_str());
    QApplication app(argc, argv);
    ScreenFitTest test;
    return QTest::qExec(&test, argc, argv);
}

KELVANE_WINDOW_TEST_WITH_MAIN(ScreenFitTest, &RunOnLaidOutScreens);

}  // namespace kelvane::testing

#include "ScreenFitTest.moc"
