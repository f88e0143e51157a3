#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTest>

#include "app/ui/DbGrid.h"
#include "app/ui/MainWindow.h"
#include "app/ui/RecordTableModel.h"
#include "core/table/RecordTable.h"
#include "core/workspace/Workspace.h"
#include "tests/gui/support/OpenedSpellSample.h"
#include "tests/gui/support/RunningProgram.h"
#include "tests/gui/support/SpellSampleOnDisk.h"
#include "tests/gui/support/WidgetLookup.h"
#include "tests/gui/support/WindowTests.h"
#include "tests/support/DbcSamples.h"
#include "tests/support/FieldDefsOnDisk.h"

namespace kelvane::testing {

// The status bar of the running program, read as the user reads it after moving, typing and
// running commands.
class StatusBarTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<RunningProgram> run_;

    MainWindow& Window() { return run_->App().MainWindow(); }
    DbGrid& Grid() { return Window().Grid(); }
    QString Part(const char* name) { return Child<QLabel>(Window(), name)->text(); }
    bool PartShown(const char* name) { return Child<QLabel>(Window(), name)->isVisible(); }
    void Trigger(const char* name) { Child<QAction>(Window(), name)->trigger(); }

    void OpenSpell(const std::vector<FieldSpec>& fields = SpellSampleFields()) {
        run_->OpenWithMenu(WriteSpellSample(run_->Dir, "Spell.dbc", fields));
        QVERIFY(run_->ShowActive());
        Grid().setFocus();
    }

  private slots:
    void init() { run_ = std::make_unique<RunningProgram>(); }

    void cleanup() {
        QCOMPARE(run_->Dialogs.Unanswered, std::vector<std::string>{});
        run_.reset();
    }

    void saysNothingBeforeATableIsOpen() {
        Window().show();
        QCOMPARE(Part("RecordPositionLabel"), QString());
        QVERIFY(!PartShown("RecordPositionLabel"));
        QVERIFY(!PartShown("UnsavedLabel"));
        QVERIFY(!PartShown("DefinitionsLabel"));
        QVERIFY(!PartShown("ShownCountLabel"));
    }

    void positionFollowsTheKeysAndCountsRecordsFromOne() {
        OpenSpell();
        QCOMPARE(Part("RecordPositionLabel"), QString("Record 1 of 3"));
        QTest::keyClick(&Grid(), Qt::Key_Down);
        QCOMPARE(Part("RecordPositionLabel"), QString("Record 2 of 3"));
        QTest::keyClick(&Grid(), Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(Part("RecordPositionLabel"), QString("Record 3 of 3"));

        QTest::keyClick(&Grid(), Qt::Key_Insert);
        QCOMPARE(Part("RecordPositionLabel"), QString("Record 3 of 4"));
        // Leaving the untouched new record drops it.
        QTest::keyClick(&Grid(), Qt::Key_Up);
        QCOMPARE(Part("RecordPositionLabel"), QString("Record 2 of 3"));
    }

    void typingMarksTheTableUnsavedAndSavingClearsIt() {
        OpenSpell();
        QVERIFY(!PartShown("UnsavedLabel"));
        const QModelIndex rank = Grid().model()->index(0, kRank);
        QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, Grid().visualRect(rank).center());
        // The first key opens the cell's editor, which takes the rest.
        QTest::keyClick(&Grid(), Qt::Key_4);
        QTest::keyClicks(QApplication::focusWidget(), "2");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(run_->App().Work().Table.IntegerAt(0, kRank), 42);
        QCOMPARE(Part("UnsavedLabel"), QString("Unsaved changes"));
        QVERIFY(PartShown("UnsavedLabel"));

        Trigger("MenuItemSave");
        QVERIFY(!PartShown("UnsavedLabel"));
        QCOMPARE(Part("CommandResultLabel"), QString("Saved 3 records to Spell.dbc"));
    }

    void definitionsNameTheFileAndWhetherItFits() {
        OpenSpell();
        QCOMPARE(Part("DefinitionsLabel"), QString("Spell.ini"));
        QVERIFY(Child<QLabel>(Window(), "DefinitionsLabel")->toolTip().contains("Spell.ini"));

        run_->Dialogs.Messages.clear();
        WriteSpellSample(run_->Dir, "Spell.dbc",
                         {{"ID", FieldKind::ftInteger, true}, {"Name", FieldKind::ftString}});
        Trigger("MenuItemReloadLastFile");
        QCOMPARE(Part("DefinitionsLabel"), QString("Spell.ini: 2 of 4 fields"));
        const QString details = Child<QLabel>(Window(), "DefinitionsLabel")->toolTip();
        QVERIFY2(details.contains("Spell.ini describes 2 fields"), qPrintable(details));
    }

    void exportsAndImportsSayWhatTheyDid() {
        OpenSpell();
        run_->Dialogs.FileAnswers.push_back(run_->Dir.File("Spell.csv"));
        Trigger("MenuItemExporttotxt");
        QCOMPARE(Part("CommandResultLabel"), QString("Exported 3 lines to Spell.csv"));

        run_->Dialogs.FileAnswers.push_back(run_->Dir.File("row.txt"));
        Trigger("ExportRow1");
        QCOMPARE(Part("CommandResultLabel"), QString("Exported 1 patch line to row.txt"));

        Trigger("Row2");
        Trigger("Row2");
        run_->Dialogs.FileAnswers.push_back(run_->Dir.File("queue.txt"));
        Trigger("ExporttoFile1");
        QCOMPARE(Part("CommandResultLabel"), QString("Exported 2 patch lines to queue.txt"));

        // One line sets Rank of the record keyed 0, one adds a record keyed 7.
        run_->Dir.Write("patch.txt", "0:3=5\n7:3=6\n");
        run_->Dialogs.FileAnswers.push_back(run_->Dir.File("patch.txt"));
        Trigger("ImportfromPatchwellsformat1");
        QCOMPARE(Part("CommandResultLabel"), QString("Applied 2 lines, added 1 record"));
        // The added record is still being inserted, and counts already.
        QVERIFY(Part("RecordPositionLabel").endsWith(" of 4"));
    }
};

KELVANE_WINDOW_TEST(StatusBarTest);

}  // namespace kelvane::testing

#include "StatusBarTest.moc"
