#include <QAbstractItemModelTester>
#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <memory>
#include <string>
#include <vector>

#include "app/ui/DbGrid.h"
#include "app/ui/MainWindow.h"
#include "app/ui/RecordViewModel.h"
#include "core/workspace/Workspace.h"
#include "tests/exchange/ExchangeTables.h"
#include "tests/gui/support/RunningProgram.h"
#include "tests/gui/support/SpellSampleOnDisk.h"
#include "tests/gui/support/WidgetLookup.h"
#include "tests/gui/support/WindowTests.h"
#include "tests/support/DbcSamples.h"

namespace kelvane::testing {

// The Spell sample's columns: Index, ID (hexadecimal), Name, Speed, Rank. Its records, by
// Index: 0 Fireball rank -1, 1 Frost Nova rank 7, 2 (no name) rank 0.
constexpr int kNameColumn = 2;
constexpr int kRankColumn = 4;

// Sorting by a title click and filtering by the fields under the titles in the main window,
// with the commands that move among the shown records.
class SortFilterTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<RunningProgram> program_;
    std::unique_ptr<QAbstractItemModelTester> tester_;

    MainWindow& Window() { return program_->App().MainWindow(); }
    RecordTable& Table() { return program_->App().Work().Table; }
    DbGrid& Grid() { return Window().Grid(); }
    QHeaderView& Titles() { return *Grid().horizontalHeader(); }

    void ClickTitle(int column) {
        const QPoint onCaption(Titles().sectionViewportPosition(column) + 10, 6);
        QTest::mouseClick(Titles().viewport(), Qt::LeftButton, Qt::NoModifier, onCaption);
    }
    void ClickCell(int gridRow, int column) {
        const QModelIndex cell = Grid().model()->index(gridRow, column);
        QTest::mouseClick(Grid().viewport(), Qt::LeftButton, Qt::NoModifier,
                          Grid().visualRect(cell).center());
    }
    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&Grid(), static_cast<Qt::Key>(key), modifiers);
    }
    void TypeIntoCell(const QString& text) {
        Press(Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(Grid().indexWidget(Grid().currentIndex()));
        QVERIFY(editor != nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
    }
    void Filter(int column, const QString& text) {
        auto* field =
            Child<QLineEdit>(Grid(), qPrintable(QStringLiteral("FilterField%1").arg(column)));
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }
    // The Index values the grid shows, top to bottom.
    std::vector<int> ShownIndexes() {
        std::vector<int> indexes;
        for (int row = 0; row < Grid().model()->rowCount(); ++row) {
            indexes.push_back(Grid().model()->index(row, 0).data().toInt());
        }
        return indexes;
    }
    // The record the grid's current row shows is the table's current record.
    bool GridOnTableRecord() {
        return Grid().TableRowOf(Grid().currentIndex().row()) == Table().CurrentRow();
    }
    void GoTo(int column, const QString& value) {
        program_->Modals.Scripts.push_back([column, value](QDialog& dialog) {
            Child<QComboBox>(dialog, "cbGoToColumn")->setCurrentIndex(column);
            QTest::keyClicks(Child<QLineEdit>(dialog, "edGoToValue"), value);
            return static_cast<int>(QDialog::Accepted);
        });
        Press(Qt::Key_G, Qt::ControlModifier);
    }
    // A search that finds nothing asks again: nothingFound closes that second dialog.
    void Find(const QString& value, bool nothingFound = false) {
        program_->Modals.Scripts.push_back([value](QDialog& dialog) {
            auto* field = Child<QLineEdit>(dialog, "edValue");
            field->selectAll();
            QTest::keyClicks(field, value);
            return static_cast<int>(QDialog::Accepted);
        });
        if (nothingFound) {
            program_->Modals.Scripts.push_back(
                [](QDialog&) { return static_cast<int>(QDialog::Rejected); });
        }
        Press(Qt::Key_F, Qt::ControlModifier);
    }

  private slots:
    void init() {
        program_ = std::make_unique<RunningProgram>();
        const std::string path = WriteSpellSample(program_->Dir);
        QVERIFY(program_->ShowActive());
        Window().OpenTableFile(path);
        tester_ = std::make_unique<QAbstractItemModelTester>(
            Grid().model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        Grid().setFocus();
    }

    void cleanup() {
        tester_.reset();
        QCOMPARE(program_->Dialogs.Unanswered, std::vector<std::string>{});
        QCOMPARE(program_->Modals.Unanswered, std::vector<std::string>{});
        program_.reset();
    }

    void titleClicksSortBothWaysThenBackKeepingTheCurrentRecord() {
        ClickCell(2, kNameColumn);
        ClickTitle(kRankColumn);
        QCOMPARE(ShownIndexes(), (std::vector<int>{0, 2, 1}));
        QVERIFY(Titles().isSortIndicatorShown());
        QCOMPARE(Titles().sortIndicatorOrder(), Qt::AscendingOrder);
        QCOMPARE(Table().CurrentRow(), 2);
        QVERIFY(GridOnTableRecord());

        ClickTitle(kRankColumn);
        QCOMPARE(ShownIndexes(), (std::vector<int>{1, 2, 0}));
        QCOMPARE(Titles().sortIndicatorOrder(), Qt::DescendingOrder);
        QCOMPARE(Grid().currentIndex().row(), 1);

        ClickTitle(kRankColumn);
        QCOMPARE(ShownIndexes(), (std::vector<int>{0, 1, 2}));
        QVERIFY(!Titles().isSortIndicatorShown());
        QVERIFY(GridOnTableRecord());
    }

    // Sorting or filtering rebuilds the rows; the current cell keeps its column and the
    // columns in sight stay in sight, rather than the grid going back to Index.
    void sortAndFilterKeepTheCurrentColumnInSight() {
        Grid().setColumnWidth(kNameColumn, Grid().viewport()->width());
        ClickCell(1, kNameColumn);
        Press(Qt::Key_End);  // the last column, Rank, scrolls into sight
        QCOMPARE(Grid().currentIndex().column(), kRankColumn);
        QScrollBar& across = *Grid().horizontalScrollBar();
        QVERIFY(across.value() > 0);
        const int scrolled = across.value();

        ClickTitle(kRankColumn);
        QCOMPARE(Grid().currentIndex().column(), kRankColumn);
        QCOMPARE(across.value(), scrolled);
        QVERIFY(GridOnTableRecord());

        Filter(kRankColumn, QStringLiteral(">=0"));
        QCOMPARE(Grid().currentIndex().column(), kRankColumn);
        QCOMPARE(across.value(), scrolled);
        QVERIFY(GridOnTableRecord());
    }

    void anEditInASortedViewStaysInPlaceAndUndoesThere() {
        ClickTitle(kRankColumn);  // ascending: Fireball (-1) first
        const auto before = TableTexts(Table());
        ClickCell(0, kRankColumn);
        TypeIntoCell(QStringLiteral("9"));
        ClickCell(2, kNameColumn);  // leaving the record posts it
        QCOMPARE(Table().IntegerAt(0, kRankColumn), 9);
        QCOMPARE(ShownIndexes(), (std::vector<int>{0, 2, 1}));  // not sorted again

        Press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(TableTexts(Table()), before);
        QCOMPARE(ShownIndexes(), (std::vector<int>{0, 2, 1}));
        QCOMPARE(Grid().model()->index(0, kRankColumn).data().toString(), QStringLiteral("-1"));
        QVERIFY(GridOnTableRecord());
    }

    void filtersShowMatchingRecordsAndCommandsMoveAmongThem() {
        auto& view = Grid().ViewModel();
        const QSignalSpy shown(&view, &RecordViewModel::shownCountChanged);
        Filter(kRankColumn, QStringLiteral(">=0"));
        QCOMPARE(ShownIndexes(), (std::vector<int>{1, 2}));
        QCOMPARE(view.ShownCount(), 2);
        QCOMPARE(shown.last().at(0).toInt(), 2);
        QCOMPARE(Child<QLabel>(Window(), "ShownCountLabel")->text(), QStringLiteral("2 shown"));
        QVERIFY(GridOnTableRecord());

        Filter(kRankColumn, QStringLiteral(">=zero"));  // refused: the filter stays
        QCOMPARE(program_->Dialogs.Messages.back(),
                 "The filter '>=zero' of column 'Rank' is not a number test: write 5, =5, "
                 "!=5, >5, <=5 or 5..10.");
        QCOMPARE(Child<QLineEdit>(Grid(), "FilterField4")->text(), QStringLiteral(">=0"));
        QCOMPARE(ShownIndexes(), (std::vector<int>{1, 2}));

        Grid().setFocus();
        GoTo(0, QStringLiteral("0"));  // Fireball is not shown
        QCOMPARE(program_->Dialogs.Messages.back(), "No shown record has Index '0'.");
        GoTo(0, QStringLiteral("2"));
        QCOMPARE(Table().CurrentRow(), 2);
        QCOMPARE(Grid().currentIndex().row(), 1);

        Press(Qt::Key_Insert);  // a new record shows where it is inserted
        QCOMPARE(Grid().model()->rowCount(), 3);
        QCOMPARE(Table().State(), TableState::Insert);
        QVERIFY(GridOnTableRecord());
        QTest::mouseClick(Child<QToolButton>(Window(), "NavCancel"), Qt::LeftButton);
        QCOMPARE(ShownIndexes(), (std::vector<int>{1, 2}));

        program_->Dialogs.YesNoAnswers.push_back(true);
        Press(Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(ShownIndexes(), (std::vector<int>{1}));
        QCOMPARE(view.ShownCount(), 1);
        QCOMPARE(Table().RecordCount(), 2);

        Find(QStringLiteral("Fire"), true);  // in a record not shown
        QCOMPARE(program_->Dialogs.Messages.back(), "No record matches 'Fire'.");
        Find(QStringLiteral("Nova"));
        QCOMPARE(Grid().currentIndex(), Grid().model()->index(0, kNameColumn));
        QVERIFY(GridOnTableRecord());

        QTest::mouseClick(Child<QToolButton>(Window(), "NavFirst"), Qt::LeftButton);
        QCOMPARE(Table().CurrentRow(), 1);
        Filter(kRankColumn, QString());
        QCOMPARE(ShownIndexes(), (std::vector<int>{0, 1}));
        QVERIFY(Child<QLabel>(Window(), "ShownCountLabel")->text().isEmpty());
    }
};

KELVANE_WINDOW_TEST(SortFilterTest);

}  // namespace kelvane::testing

#include "SortFilterTest.moc"
