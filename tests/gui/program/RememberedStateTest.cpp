#include <QAction>
#include <QCoreApplication>
#include <QHeaderView>
#include <QMenu>
#include <QSettings>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "app/ui/DbGrid.h"
#include "app/ui/MainWindow.h"
#include "core/table/Field.h"
#include "core/workspace/Workspace.h"
#include "tests/gui/support/OpenedSpellSample.h"
#include "tests/gui/support/RunningProgram.h"
#include "tests/gui/support/SpellSampleOnDisk.h"
#include "tests/gui/support/WidgetLookup.h"
#include "tests/gui/support/WindowTests.h"

namespace kelvane::testing {

// What the program remembers from one run to the next: each test runs the program, changes
// what a user would, ends it and runs it again. The settings live in a folder the test
// program makes for each of its runs (see support/WindowTests.cpp) and are emptied before each
// test.
class RememberedStateTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<RunningProgram> run_;

    MainWindow& Window() { return run_->App().MainWindow(); }
    Workspace& Work() { return run_->App().Work(); }
    ScriptedDialogs& Dialogs() { return run_->Dialogs; }
    QAction* Action(const char* name) { return Child<QAction>(Window(), name); }
    // Ends the program the way the user does, by closing its window, and starts it again.
    void RunAgain() {
        QVERIFY(Window().close());
        run_->Restart();
        QVERIFY(run_->ShowActive());
    }
    void OpenWithDialog(const std::string& path) {
        run_->OpenWithMenu(path);
        QCOMPARE(Work().Current.FilePath, path);
        // The grid gives the columns their widths once back in the event loop.
        QCoreApplication::processEvents();
    }
    QStringList RecentEntries() {
        QStringList entries;
        for (QAction* entry : Child<QMenu>(Window(), "MenuRecentFiles")->actions()) {
            if (entry->isVisible()) {
                entries << entry->text();
            }
        }
        return entries;
    }
    // Drags the right edge of a column's title by dx pixels.
    void DragColumnEdge(int column, int dx) {
        QHeaderView* titles = Window().Grid().horizontalHeader();
        const int edge = titles->sectionViewportPosition(column) + titles->sectionSize(column) - 1;
        const int y = titles->height() / 2;
        QTest::mousePress(titles->viewport(), Qt::LeftButton, {}, QPoint(edge, y));
        QTest::mouseMove(titles->viewport(), QPoint(edge + dx / 2, y));
        QTest::mouseMove(titles->viewport(), QPoint(edge + dx, y));
        QTest::mouseRelease(titles->viewport(), Qt::LeftButton, {}, QPoint(edge + dx, y));
    }

  private slots:
    void init() {
        QSettings(QSettings::IniFormat, QSettings::UserScope, "Kelvane", "Kelvane").clear();
        run_ = std::make_unique<RunningProgram>();
        QVERIFY(run_->ShowActive());
    }

    void cleanup() {
        QCOMPARE(Dialogs().Unanswered, std::vector<std::string>{});
        run_.reset();
    }

    void recentFilesAreListedNewestFirstAndReopenFromTheKeyboard() {
        QVERIFY(!Child<QMenu>(Window(), "MenuRecentFiles")->menuAction()->isEnabled());
        const std::string spell = WriteSpellSample(run_->Dir);
        const std::string item = WriteSpellSample(run_->Dir, "Item.dbc");
        OpenWithDialog(spell);
        OpenWithDialog(item);
        const QStringList expected = {"&1 " + QString::fromStdString(item),
                                      "&2 " + QString::fromStdString(spell)};
        QCOMPARE(RecentEntries(), expected);
        QCOMPARE(Action("RecentFile1")->shortcut(), QKeySequence("Ctrl+1"));

        RunAgain();
        QCOMPARE(RecentEntries(), expected);
        QTest::keyClick(&Window(), Qt::Key_2, Qt::ControlModifier);
        QCOMPARE(Work().Current.FilePath, spell);
        QCOMPARE(Work().Table.RecordCount(), 3);
        QCOMPARE(RecentEntries(), QStringList({"&1 " + QString::fromStdString(spell),
                                               "&2 " + QString::fromStdString(item)}));
    }

    void aRecentFileAsksAboutUnsavedChangesFirst() {
        const std::string spell = WriteSpellSample(run_->Dir);
        const std::string item = WriteSpellSample(run_->Dir, "Item.dbc");
        OpenWithDialog(spell);
        OpenWithDialog(item);
        Work().Table.Edit();
        Work().Table.Fields(kRank).SetAsInteger(5);
        Work().Table.Post();
        Dialogs().SaveChangesAnswers.push_back(UnsavedChangesAnswer::Cancel);
        Action("RecentFile2")->trigger();
        QCOMPARE(Dialogs().SaveChangesQuestions.size(), size_t{1});
        QCOMPARE(Work().Current.FilePath, item);
    }

    void columnWidthsAreKeptPerTable() {
        const std::string spell = WriteSpellSample(run_->Dir);
        const std::string item = WriteSpellSample(run_->Dir, "Item.dbc");
        OpenWithDialog(spell);
        DbGrid& grid = Window().Grid();
        const int measured = grid.columnWidth(kRank);
        DragColumnEdge(kRank, 40);
        QCOMPARE(grid.columnWidth(kRank), measured + 40);

        RunAgain();
        OpenWithDialog(spell);
        QTRY_COMPARE(Window().Grid().columnWidth(kRank), measured + 40);
        OpenWithDialog(item);
        QTRY_COMPARE(Window().Grid().columnWidth(kRank), measured);
    }

    void windowSizeAndPlaceAreKept() {
        const QSize fresh = Window().size();
        Window().resize(fresh + QSize(120, 80));
        const QSize chosen = Window().size();
        RunAgain();
        QCOMPARE(Window().size(), chosen);
    }
};

KELVANE_WINDOW_TEST(RememberedStateTest);

}  // namespace kelvane::testing

#include "RememberedStateTest.moc"
