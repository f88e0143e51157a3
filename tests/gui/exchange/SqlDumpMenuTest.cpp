#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <filesystem>
#include <memory>

#include "app/ui/DbGrid.h"
#include "app/ui/MainWindow.h"
#include "core/table/RecordTable.h"
#include "core/workspace/Workspace.h"
#include "tests/gui/support/OpenedSpellSample.h"
#include "tests/gui/support/RunningProgram.h"
#include "tests/gui/support/SpellSampleOnDisk.h"
#include "tests/gui/support/WidgetLookup.h"
#include "tests/gui/support/WindowTests.h"

namespace kelvane::testing {

// "Export" > "MySQL dump..." in the running program, chosen with the mouse as a user does.
class SqlDumpMenuTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<RunningProgram> run_;

    MainWindow& Window() { return run_->App().MainWindow(); }
    DbGrid& Grid() { return Window().Grid(); }
    QAction* DumpEntry() { return Child<QAction>(Window(), "MysqlDump1"); }

    void OpenSpell(const std::string& fileName = "Spell.dbc") {
        run_->OpenWithMenu(WriteSpellSample(run_->Dir, fileName));
        QVERIFY(run_->ShowActive());
        Grid().setFocus();
    }

    // Types into a cell and confirms with Return: the record stays in editing.
    void TypeIntoCell(int row, int column, const QString& text) {
        const QModelIndex cell = Grid().model()->index(row, column);
        QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, Grid().visualRect(cell).center());
        QTest::keyClick(&Grid(), text.front().toLatin1());
        QTest::keyClicks(QApplication::focusWidget(), text.mid(1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }

    // Opens "Export" on the menu bar and clicks the entry.
    void ChooseDumpEntry() {
        auto* exportMenu = Child<QMenu>(Window(), "Export1");
        QMenuBar* bar = Window().menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(exportMenu->menuAction()).center());
        QTRY_VERIFY(exportMenu->isVisible());
        QTest::mouseClick(exportMenu, Qt::LeftButton, {},
                          exportMenu->actionGeometry(DumpEntry()).center());
        QTRY_VERIFY(!exportMenu->isVisible());
    }

    QString Result() { return Child<QLabel>(Window(), "CommandResultLabel")->text(); }

  private slots:
    void init() { run_ = std::make_unique<RunningProgram>(); }

    void cleanup() {
        QCOMPARE(run_->Dialogs.Unanswered, std::vector<std::string>{});
        run_.reset();
    }

    void theEntryWaitsForATable() {
        QVERIFY(!DumpEntry()->isEnabled());
        QCOMPARE(DumpEntry()->text(), QString("&MySQL dump..."));
        OpenSpell();
        QVERIFY(DumpEntry()->isEnabled());
    }

    void writesTheTableAsTypedIntoTheChosenFile() {
        OpenSpell();
        TypeIntoCell(0, kRank, "42");
        const std::string out = run_->Dir.File("spells.sql");
        run_->Dialogs.FileAnswers.push_back(out);
        ChooseDumpEntry();

        QCOMPARE(run_->Dialogs.FileRequests.size(), size_t{2});  // Open, then the dump
        const FileDialogRequest& asked = run_->Dialogs.FileRequests.back();
        QCOMPARE(asked.Title, std::string("Export MySQL dump"));
        QCOMPARE(asked.FileName, std::string("Spell.sql"));
        QCOMPARE(asked.DefaultExtension, std::string("sql"));
        const std::string dump = run_->Dir.Read("spells.sql");
        QVERIFY2(
            dump.find("INSERT INTO `Spell` VALUES\n(16,'Fireball',1.5,42),\n") != std::string::npos,
            dump.c_str());
        QCOMPARE(Result(), QString("Exported 3 records to spells.sql"));
    }

    void aRefusedDumpSaysWhyAndWritesNothing() {
        OpenSpell("Spell .dbc");  // a table name MySQL refuses
        const std::string out = run_->Dir.File("spells.sql");
        run_->Dialogs.FileAnswers.push_back(out);
        ChooseDumpEntry();

        QCOMPARE(run_->Dialogs.FileRequests.back().FileName, std::string("Spell .sql"));
        QCOMPARE(run_->Dialogs.Messages,
                 std::vector<std::string>{"Cannot write the MySQL dump \"" + out +
                                          "\": the table name `Spell `, taken from the table's "
                                          "file name, ends in a blank."});
        QVERIFY(!std::filesystem::exists(out));
    }

    void cancellingTheFileDialogWritesNothing() {
        OpenSpell();
        const QString resultBefore = Result();
        run_->Dialogs.FileAnswers.push_back(std::nullopt);
        ChooseDumpEntry();
        QCOMPARE(run_->Dialogs.FileRequests.size(), size_t{2});
        QVERIFY(!std::filesystem::exists(run_->Dir.File("Spell.sql")));
        QVERIFY(run_->Dialogs.Messages.empty());
        QCOMPARE(Result(), resultBefore);
    }
};

KELVANE_WINDOW_TEST(SqlDumpMenuTest);

}  // namespace kelvane::testing

#include "SqlDumpMenuTest.moc"
