#include <QAbstractItemModelTester>
#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <memory>
#include <optional>

#include "app/ui/MainWindow.h"
#include "core/base/DecimalSeparator.h"
#include "core/workspace/Workspace.h"
#include "exchange/ui/CompareWindow.h"
#include "tests/gui/support/RunningProgram.h"
#include "tests/gui/support/SpellSampleOnDisk.h"
#include "tests/gui/support/WidgetLookup.h"
#include "tests/gui/support/WindowTests.h"
#include "tests/support/CrlfText.h"
#include "tests/support/DbcSamples.h"

namespace kelvane::testing {

// "Tools" > "Compare with..." as a user meets it: the three-spell sample open and changed by a
// patch import, the unchanged file chosen to compare with.
class CompareWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<RunningProgram> program_;
    std::string basePath_;

    QAction* Action(const char* name) { return Child<QAction>(program_->App().MainWindow(), name); }
    CompareWindow& Window() { return program_->App().Compare(); }
    QString Summary() { return Child<QLabel>(Window(), "CompareSummary")->text(); }
    QAbstractItemModel& Records(const char* view) {
        return *Child<QTableView>(Window(), view)->model();
    }
    QString Cell(const char* view, int row, int column) {
        return Records(view).index(row, column).data().toString();
    }
    void Click(const char* button) {
        QTest::mouseClick(Child<QPushButton>(Window(), button), Qt::LeftButton);
    }
    // Compares the open table with the file the dialog is answered with.
    void CompareWith(const std::optional<std::string>& path) {
        program_->Dialogs.FileAnswers.push_back(path);
        Action("CompareWith1")->trigger();
    }

  private slots:
    void initTestCase() { SetDecimalSeparator('.'); }

    void init() {
        program_ = std::make_unique<RunningProgram>();
        const TempDir& dir = program_->Dir;
        const std::string spell = WriteSpellSample(dir);
        // The older state has no definitions of its own: it takes the open table's.
        dir.Write("Base.dbc", SpellSample().Bytes());
        basePath_ = dir.File("Base.dbc");
        QVERIFY(!Action("CompareWith1")->isEnabled());
        program_->OpenWithMenu(spell);
        dir.Write("change.txt", CrlfText({"255:1=\"Frost, Nova\",3=8", "77:1=Mana Burn"}));
        program_->Dialogs.FileAnswers.push_back(dir.File("change.txt"));
        Action("ImportfromPatchwellsformat1")->trigger();
    }

    void cleanup() {
        QCOMPARE(program_->Dialogs.Unanswered, std::vector<std::string>{});
        QCOMPARE(program_->Dialogs.Messages, std::vector<std::string>{});
        program_.reset();
    }

    void showsTheChangedCellsMarkedAndTheAddedRecords() {
        CompareWith(basePath_);
        QVERIFY(Window().isVisible());
        QCOMPARE(Summary(), QString::fromStdString("From " + basePath_ +
                                                   " (older) to the open table (newer): 1 added, 1 "
                                                   "changed, 0 removed, 2 unchanged records."));
        auto* tabs = Child<QTabWidget>(Window(), "CompareTabs");
        QCOMPARE(tabs->tabText(0), QString("Changed (1)"));
        QCOMPARE(tabs->tabText(1), QString("Added (1)"));
        QCOMPARE(tabs->tabText(2), QString("Removed (0)"));

        QAbstractItemModelTester changedTester(&Records("ChangedRecords"));
        QCOMPARE(Records("ChangedRecords").rowCount(), 1);
        QCOMPARE(Records("ChangedRecords").headerData(1, Qt::Horizontal).toString(),
                 QString("Name"));
        QCOMPARE(Cell("ChangedRecords", 0, 0), QString("FF"));
        QCOMPARE(Cell("ChangedRecords", 0, 1), QString("Frost Nova \u2192 Frost, Nova"));
        QCOMPARE(Cell("ChangedRecords", 0, 3), QString("7 \u2192 8"));
        const QModelIndex marked = Records("ChangedRecords").index(0, 3);
        const QModelIndex unmarked = Records("ChangedRecords").index(0, 2);
        QVERIFY(marked.data(Qt::BackgroundRole).isValid());
        QVERIFY(!unmarked.data(Qt::BackgroundRole).isValid());
        QCOMPARE(marked.data(Qt::ToolTipRole).toString(), QString("Old: 7\nNew: 8"));

        QAbstractItemModelTester addedTester(&Records("AddedRecords"));
        QCOMPARE(Records("AddedRecords").rowCount(), 1);
        QCOMPARE(Cell("AddedRecords", 0, 0), QString("4D"));
        QCOMPARE(Cell("AddedRecords", 0, 1), QString("Mana Burn"));
        QCOMPARE(Records("RemovedRecords").rowCount(), 0);
        // The open table is compared as it would be saved, and stays as it was.
        QCOMPARE(program_->App().Work().Table.RecordCount(), 4);
    }

    void savesThePatchThatTurnsTheOlderIntoTheNewer() {
        CompareWith(basePath_);
        program_->Dialogs.FileAnswers.push_back(program_->Dir.File("diff.txt"));
        Click("SavePatchButton");
        QCOMPARE(program_->Dialogs.FileRequests.back().Title,
                 std::string("Save differences as patch"));
        QCOMPARE(program_->Dir.Read("diff.txt"),
                 CrlfText({"255:1=\"Frost, Nova\",3=8", "77:1=Mana Burn,2=0,3=0"}));
    }

    void swapTurnsTheDirectionAround() {
        CompareWith(basePath_);
        Click("SwapSidesButton");
        QCOMPARE(Summary(), QString::fromStdString("From the open table (older) to " + basePath_ +
                                                   " (newer): 0 added, 1 changed, 1 removed, 2 "
                                                   "unchanged records."));
        QCOMPARE(Cell("ChangedRecords", 0, 1), QString("Frost, Nova \u2192 Frost Nova"));
        QCOMPARE(Cell("RemovedRecords", 0, 1), QString("Mana Burn"));
        program_->Dialogs.FileAnswers.push_back(program_->Dir.File("back.txt"));
        Click("SavePatchButton");
        QCOMPARE(
            program_->Dir.Read("back.txt"),
            CrlfText({"255:1=Frost Nova,3=7", "// removed 77: patch text cannot delete a record"}));
    }

    void aFileOfAnotherTableIsRefusedAndACancelDoesNothing() {
        program_->Dir.Write("Short.dbc", ByteFieldSample().Bytes());
        CompareWith(program_->Dir.File("Short.dbc"));
        CompareWith(std::nullopt);
        QVERIFY(!Window().isVisible());
        QCOMPARE(program_->Dialogs.Messages,
                 std::vector<std::string>{"Cannot compare " + program_->Dir.File("Short.dbc") +
                                          " with the open table: it has 3 fields, the open "
                                          "table 4, so it is not a file of the same table"});
        program_->Dialogs.Messages.clear();
    }

    void closingLetsTheComparisonGo() {
        CompareWith(basePath_);
        Window().close();
        QCOMPARE(Records("ChangedRecords").rowCount(), 0);
        QCOMPARE(Records("AddedRecords").columnCount(), 0);
    }
};

KELVANE_WINDOW_TEST(CompareWindowTest);

}  // namespace kelvane::testing

#include "CompareWindowTest.moc"
