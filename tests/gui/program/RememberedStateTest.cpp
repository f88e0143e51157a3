#include <QAction>
#include <QCoreApplication>
#include <QHeaderView>
#include <QMenu>
#include <QSettings>
#include <QTest>
#include <memory>

#include "app/ui/DbGrid.h"
#include "app/ui/MainWindow.h"
#include "core/workspace/Workspace.h"
#include "program/Program.h"
#include "tests/gui/support/OpenedSpellSample.h"
#include "tests/gui/support/ScriptedModals.h"
#include "tests/gui/support/WidgetLookup.h"
#include "tests/gui/support/WindowTests.h"
#include "tests/support/DbcSamples.h"
#include "tests/support/FieldDefsOnDisk.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {

// What the program remembers from one run to the next: each test runs the program, changes
// what a user would, ends it and runs it again. The settings live in the test program's own
// folder (see support/FreshSettingsFolder.cpp) and are emptied before each test.
class RememberedStateTest : public QObject {
    Q_OBJECT

  private:
    TempDir dir_;
    ScriptedDialogs dialogs_;
    ScriptedModals modals_;
    std::unique_ptr<Program> program_;

    MainWindow& Window() { return program_->MainWindow(); }
    QAction* Action(const char* name) { return Child<QAction>(Window(), name); }
    void StartProgram() {
        program_ = std::make_unique<Program>(dialogs_, modals_, std::vector<std::string>{});
        Window().show();
        Window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Window()));
    }
    // Ends the program the way the user does, by closing its window.
    void EndProgram() {
        QVERIFY(Window().close());
        program_.reset();
    }
    std::string WriteTable(const char* fileName) {
        const std::string path = dir_.File(fileName);
        dir_.Write(fileName, SpellSample().Bytes());
        WriteFieldDefs(path, SpellSampleFields());
        return path;
    }
    void OpenWithDialog(const std::string& path) {
        dialogs_.FileAnswers.push_back(path);
        Action("MenuItemOpenDbc")->trigger();
        QCOMPARE(program_->Work().Current.FilePath, path);
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
        StartProgram();
    }

    void cleanup() {
        QCOMPARE(dialogs_.Unanswered, std::vector<std::string>{});
        program_.reset();
    }

    void recentFilesAreListedNewestFirstAndReopenFromTheKeyboard() {
        QVERIFY(!Child<QMenu>(Window(), "MenuRecentFiles")->menuAction()->isEnabled());
        const std::string spell = WriteTable("Spell.dbc");
        const std::string item = WriteTable("Item.dbc");
        OpenWithDialog(spell);
        OpenWithDialog(item);
        const QStringList expected = {"&1 " + QString::fromStdString(item),
                                      "&2 " + QString::fromStdString(spell)};
        QCOMPARE(RecentEntries(), expected);
        QCOMPARE(Action("RecentFile1")->shortcut(), QKeySequence("Ctrl+1"));

        EndProgram();
        StartProgram();
        QCOMPARE(RecentEntries(), expected);
        QTest::keyClick(&Window(), Qt::Key_2, Qt::ControlModifier);
        QCOMPARE(program_->Work().Current.FilePath, spell);
        QCOMPARE(program_->Work().Table.RecordCount(), 3);
        QCOMPARE(RecentEntries(), QStringList({"&1 " + QString::fromStdString(spell),
                                               "&2 " + QString::fromStdString(item)}));
    }

    void aRecentFileAsksAboutUnsavedChangesFirst() {
        const std::string spell = WriteTable("Spell.dbc");
        const std::string item = WriteTable("Item.dbc");
        OpenWithDialog(spell);
        OpenWithDialog(item);
        program_->Work().Table.Edit();
        program_->Work().Table.Fields(kRank).SetAsInteger(5);
        program_->Work().Table.Post();
        dialogs_.SaveChangesAnswers.push_back(UnsavedChangesAnswer::Cancel);
        Action("RecentFile2")->trigger();
        QCOMPARE(dialogs_.SaveChangesQuestions.size(), size_t{1});
        QCOMPARE(program_->Work().Current.FilePath, item);
    }

    void columnWidthsAreKeptPerTable() {
        const std::string spell = WriteTable("Spell.dbc");
        const std::string item = WriteTable("Item.dbc");
        OpenWithDialog(spell);
        DbGrid& grid = Window().Grid();
        const int measured = grid.columnWidth(kRank);
        DragColumnEdge(kRank, 40);
        QCOMPARE(grid.columnWidth(kRank), measured + 40);

        EndProgram();
        StartProgram();
        OpenWithDialog(spell);
        QTRY_COMPARE(Window().Grid().columnWidth(kRank), measured + 40);
        OpenWithDialog(item);
        QTRY_COMPARE(Window().Grid().columnWidth(kRank), measured);
    }

    void windowSizeAndPlaceAreKept() {
        const QSize fresh = Window().size();
        Window().resize(fresh + QSize(120, 80));
        const QSize chosen = Window().size();
        EndProgram();
        StartProgram();
        QCOMPARE(Window().size(), chosen);
    }
};

KELVANE_WINDOW_TEST(RememberedStateTest);

}  // namespace kelvane::testing

#include "RememberedStateTest.moc"
