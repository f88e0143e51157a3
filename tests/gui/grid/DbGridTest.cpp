#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <memory>

#include "app/ui/DbGrid.h"
#include "app/ui/FilterHeader.h"
#include "app/ui/RecordNavigator.h"
#include "app/ui/RecordTableModel.h"
#include "app/ui/RecordViewModel.h"
#include "core/base/DecimalSeparator.h"
#include "core/table/Field.h"
#include "shell/ui/QtText.h"
#include "tests/gui/support/GridClicks.h"
#include "tests/gui/support/OpenedSpellSample.h"
#include "tests/gui/support/WindowTests.h"
#include "tests/support/TableChangeLog.h"

Q_DECLARE_METATYPE(kelvane::TableState)

namespace kelvane::testing {
namespace {

QStringList ToQtList(const std::vector<std::string>& texts) {
    QStringList list;
    for (const std::string& text : texts) {
        list << ToQt(text);
    }
    return list;
}

}  // namespace

class DbGridTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { SetDecimalSeparator('.'); }

    void init() {
        sample_ = std::make_unique<OpenedSpellSample>();
        model_ = std::make_unique<RecordTableModel>(Table(), sample_->Dialogs);
        window_ = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window_.get());
        auto* grid = new DbGrid(*model_, sample_->Dialogs, window_.get());
        layout->addWidget(new RecordNavigator(
            grid->ViewModel(), sample_->Dialogs, [grid] { return grid->CommitEdit(); },
            window_.get()));
        layout->addWidget(grid);
        window_->resize(700, 300);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        grid_ = window_->findChild<DbGrid*>(QStringLiteral("DBGrid1"));
        QVERIFY(grid_ != nullptr);
    }

    void cleanup() {
        window_.reset();
        model_.reset();
        sample_.reset();
    }

    void laysOutRowsTitlesAndColumns() {
        QCOMPARE(grid_->rowHeight(0), DbGrid::RowHeight);
        // The captions on up to two lines, and the filter fields under them.
        QHeaderView* titles = grid_->horizontalHeader();
        const QRect wrapped = titles->fontMetrics().boundingRect(
            QRect(0, 0, DbGrid::DefaultColumnWidth - 8, 1000), Qt::AlignCenter | Qt::TextWordWrap,
            QStringLiteral("EffectPointsPerComboPoint[1] (float)"));
        QVERIFY(titles->height() - FilterHeader::FilterRowHeight >= wrapped.height());
        QCOMPARE(grid_->verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
        QCOMPARE(grid_->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
        QCOMPARE(grid_->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
        QCOMPARE(grid_->horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
        QTRY_COMPARE(grid_->columnWidth(kName), 150);
        QCOMPARE(grid_->columnWidth(kRank), DbGrid::DefaultColumnWidth);
        QCOMPARE(grid_->currentIndex(), Cell(0, 0));

        // Every reset gives the columns their widths again.
        grid_->setColumnWidth(kName, 40);
        sample_->Session.Reload();
        QTRY_COMPARE(grid_->columnWidth(kName), 150);
    }

    // Widths come from a sample of the values as well as the caption: the widest integer
    // a cell holds is read in full, in a column whose title is short.
    void columnsAreWideEnoughForTheirValues() {
        Table().MoveTo(2);
        Table().Edit();
        Table().Fields(kRank).SetAsInteger(-2147483647);
        Table().Post();
        sample_->Session.Save();
        sample_->Session.Reload();
        const int needed = grid_->fontMetrics().horizontalAdvance(QStringLiteral("-2147483647"));
        QTRY_VERIFY(grid_->columnWidth(kRank) > needed);
        QVERIFY(grid_->columnWidth(kRank) <= DbGrid::MaxColumnWidth);
        QCOMPARE(grid_->columnWidth(kName), 150);
    }

    // The user's own width wins over the measured one, and dragging a title tells the owner.
    void keptWidthsWinAndDraggedWidthsAreReported() {
        grid_->SetKeptWidths([](int column) { return column == kSpeed ? 123 : 0; });
        QSignalSpy chosen(grid_, &DbGrid::columnWidthChosen);
        sample_->Session.Reload();
        QTRY_COMPARE(grid_->columnWidth(kSpeed), 123);
        QCOMPARE(chosen.count(), 0);

        QHeaderView* titles = grid_->horizontalHeader();
        const int edge = titles->sectionViewportPosition(kRank) + titles->sectionSize(kRank) - 1;
        const int before = titles->sectionSize(kRank);
        const int y = titles->height() / 2;
        QTest::mousePress(titles->viewport(), Qt::LeftButton, {}, QPoint(edge, y));
        QTest::mouseMove(titles->viewport(), QPoint(edge + 15, y));
        QTest::mouseMove(titles->viewport(), QPoint(edge + 30, y));
        QTest::mouseRelease(titles->viewport(), Qt::LeftButton, {}, QPoint(edge + 30, y));
        QVERIFY(chosen.count() > 0);
        QCOMPARE(chosen.last().at(0).toInt(), kRank);
        QCOMPARE(chosen.last().at(1).toInt(), before + 30);
    }

    void wheelScrollsTheRecords() {
        for (int i = 0; i < 40; ++i) {
            Table().Append();
            Table().Post();
        }
        const QPoint centre = grid_->viewport()->rect().center();
        QWheelEvent wheel(centre, grid_->viewport()->mapToGlobal(centre), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid_->viewport(), &wheel);
        QVERIFY(grid_->verticalScrollBar()->value() > 0);
    }

    void insertKeyInsertsARecordAtTheCurrentOne() {
        ClickCell(*grid_, 1, kRank);
        QTest::keyClick(grid_, Qt::Key_Insert);
        QCOMPARE(Table().State(), TableState::Insert);
        QCOMPARE(Table().CurrentRow(), 1);
        QCOMPARE(model_->rowCount(), 4);
        QCOMPARE(grid_->currentIndex(), Cell(1, kRank));
        QCOMPARE(Table().CellText(2, kName), std::string("Frost Nova"));
        QVERIFY(Messages().isEmpty());
    }

    void aPostedRecordStaysInViewWhereItsIndexPlacesIt() {
        for (int i = 0; i < 200; ++i) {
            Table().Append();
            Table().Post();
        }
        ClickCell(*grid_, 2, kId);
        QTest::keyClick(grid_, Qt::Key_Insert);
        QTest::keyClick(grid_, Qt::Key_7);  // typing opens the cell's editor
        QTest::keyClick(grid_->indexWidget(Cell(2, kId)), Qt::Key_Return);
        QTest::mouseClick(Button("NavPost"), Qt::LeftButton);

        // New records take the number of records as Index, so this one went to the end.
        const int last = Table().RecordCount() - 1;
        QCOMPARE(Table().CurrentRow(), last);
        QCOMPARE(Table().IntegerAt(last, kId), 7);
        QCOMPARE(grid_->currentIndex().row(), last);
        QVERIFY(grid_->viewport()->rect().contains(grid_->visualRect(grid_->currentIndex())));
    }

    void hexCellShowsAndTakesHexDigits() {
        QCOMPARE(Cell(1, kId).data().toString(), QStringLiteral("FF"));
        QLineEdit* editor = StartEditing(2, kId);
        QVERIFY(editor != nullptr);
        QCOMPARE(editor->text(), QStringLiteral("0"));

        // Blanks are not hexadecimal digits: only "ff" reaches the editor.
        QTest::keyClicks(editor, QStringLiteral(" ff "));
        QCOMPARE(editor->text(), QStringLiteral("ff"));
        QTest::keyClick(editor, Qt::Key_Return);

        QCOMPARE(Table().IntegerAt(2, kId), 255);
        QCOMPARE(Cell(2, kId).data().toString(), QStringLiteral("FF"));
        QCOMPARE(Table().State(), TableState::Edit);
        // Enter moves on to the next cell, as Tab does.
        QCOMPARE(grid_->currentIndex(), Cell(2, kName));
    }

    void refusedValueIsShownAndTheRecordStaysInEditing() {
        ClickCell(*grid_, 0, kId);
        // Typing into a cell opens its editor with the key typed.
        QTest::keyClick(grid_, Qt::Key_1);
        auto* editor = qobject_cast<QLineEdit*>(grid_->indexWidget(Cell(0, kId)));
        QVERIFY(editor != nullptr);
        QCOMPARE(editor->text(), QStringLiteral("1"));
        QTest::keyClicks(editor, QStringLiteral("00000000"));
        QTest::keyClick(editor, Qt::Key_Tab);

        QCOMPARE(Messages(), QStringList{"'$100000000' is not a valid integer value"});
        QCOMPARE(Table().State(), TableState::Edit);
        QCOMPARE(Table().CurrentRow(), 0);
        QCOMPARE(Cell(0, kId).data().toString(), QStringLiteral("10"));
    }

    void typedCharactersFollowTheColumnsRules_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("Index takes a sign") << kIndex << "-12"
                                            << "-12";
        QTest::newRow("integer refuses a sign") << kRank << "-12"
                                                << "12";
        QTest::newRow("hex refuses other letters") << kId << "1g-F"
                                                   << "1F";
        QTest::newRow("float takes sign, exponent, separator") << kSpeed << "-1.5e+3x"
                                                               << "-1.5e+3";
        QTest::newRow("string takes anything") << kName << "a-1 x!"
                                               << "a-1 x!";
    }

    void typedCharactersFollowTheColumnsRules() {
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QLineEdit* editor = StartEditing(1, column);
        QVERIFY(editor != nullptr);
        QTest::keyClicks(editor, typed);
        QCOMPARE(editor->text(), kept);
    }

    void leavingARecordPostsItWhereItsIndexBelongs() {
        QLineEdit* editor = StartEditing(2, kIndex);
        QVERIFY(editor != nullptr);
        QTest::keyClicks(editor, QStringLiteral("-5"));
        QTest::keyClick(editor, Qt::Key_Tab);
        QCOMPARE(Table().State(), TableState::Edit);

        ClickCell(*grid_, 0, kName);

        QCOMPARE(Table().State(), TableState::Browse);
        QCOMPARE(Cell(0, kIndex).data().toString(), QStringLiteral("-5"));
        QCOMPARE(Cell(0, kName).data().toString(), QString());
        // The record clicked on, first before, is now second; grid and table are both on it.
        QCOMPARE(Cell(1, kName).data().toString(), QStringLiteral("Fireball"));
        QCOMPARE(Table().CurrentRow(), 1);
        QCOMPARE(grid_->currentIndex(), Cell(1, kName));
    }

    void refusedPostKeepsTheGridOnTheRecord() {
        QLineEdit* editor = StartEditing(0, kIndex);
        QVERIFY(editor != nullptr);
        QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClick(editor, Qt::Key_Return);

        ClickCell(*grid_, 2, kRank);
        QCOMPARE(Messages(), QStringList{"Field 'Index' must have a value"});
        QCOMPARE(Table().CurrentRow(), 0);
        QCOMPARE(grid_->currentIndex().row(), 0);
        const QModelIndexList selected = grid_->selectionModel()->selectedIndexes();
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected.front().row(), 0);

        // The keys are held back the same way, and the refused row opens no editor.
        QTest::keyClick(grid_, Qt::Key_Down);
        QCOMPARE(Messages().size(), 2);
        QCOMPARE(grid_->currentIndex().row(), 0);
        QTest::mouseDClick(grid_->viewport(), Qt::LeftButton, Qt::NoModifier,
                           grid_->visualRect(Cell(2, kRank)).center());
        QCOMPARE(grid_->indexWidget(Cell(2, kRank)), nullptr);
        QCOMPARE(grid_->currentIndex().row(), 0);
        QCOMPARE(Table().State(), TableState::Edit);
    }

    void leavingAnInsertedRecord_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("recordCount");
        QTest::newRow("untouched is cancelled") << QString() << 3;
        QTest::newRow("typed into is posted") << QStringLiteral("5") << 4;
    }

    void leavingAnInsertedRecord() {
        QFETCH(QString, typed);
        QFETCH(int, recordCount);
        ClickCell(*grid_, 1, kRank);
        Button("NavInsert")->click();
        QCOMPARE(Table().State(), TableState::Insert);
        QCOMPARE(grid_->currentIndex(), Cell(1, kRank));

        // The editor is opened either way; leaving it unchanged is no change.
        QTest::keyClick(grid_, Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(grid_->indexWidget(Cell(1, kRank)));
        QVERIFY(editor != nullptr);
        QTest::keyClicks(editor, typed);
        QTest::keyClick(editor, Qt::Key_Return);
        ClickCell(*grid_, 0, kName);

        QCOMPARE(Table().State(), TableState::Browse);
        QCOMPARE(Table().RecordCount(), recordCount);
        QCOMPARE(grid_->model()->rowCount(), recordCount);
        QCOMPARE(Table().CurrentRow(), 0);
        QCOMPARE(grid_->currentIndex(), Cell(0, kName));
        QVERIFY(Messages().isEmpty());
    }

    void ctrlDeleteAsksBeforeDeleting_data() {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<int>("recordCount");
        QTest::newRow("Yes deletes") << true << 2;
        QTest::newRow("No keeps") << false << 3;
    }

    void ctrlDeleteAsksBeforeDeleting() {
        QFETCH(bool, answer);
        QFETCH(int, recordCount);
        ClickCell(*grid_, 1, kName);
        sample_->Dialogs.YesNoAnswers.push_back(answer);

        QTest::keyClick(grid_, Qt::Key_Delete, Qt::ControlModifier);

        QCOMPARE(Questions(), QStringList{"Delete record 2 of 3 (ID FF)?"});
        QCOMPARE(Table().RecordCount(), recordCount);
        QCOMPARE(grid_->model()->rowCount(), recordCount);
        QCOMPARE(grid_->currentIndex().row(), Table().CurrentRow());
        QCOMPARE(grid_->currentIndex().row(), 1);
    }

    // Qt moves the view off a removed row while the removal is being shown; that move must
    // not reach back into the table before its other listeners have heard of the removal.
    void deletingTheCurrentRowKeepsTheTablesReportsInOrder() {
        Table().Last();
        TableChangeLog log(Table());
        sample_->Dialogs.YesNoAnswers.push_back(true);

        QTest::keyClick(grid_, Qt::Key_Delete, Qt::ControlModifier);

        QCOMPARE(ToQtList(log.Heard),
                 QStringList({"removing 2+1", "removed 2+1", "cursor 2 browse > 1 browse"}));
        QCOMPARE(ToQtList(log.Faults), QStringList());
        QCOMPARE(grid_->currentIndex().row(), 1);
    }

    void mousePressReportsItsColumnBeforeMoving() {
        int rowWhenReported = -1;
        connect(grid_, &DbGrid::columnPressed, this,
                [&] { rowWhenReported = Table().CurrentRow(); });
        QSignalSpy pressSpy(grid_, &DbGrid::columnPressed);

        ClickCell(*grid_, 2, kSpeed);
        QCOMPARE(pressSpy.count(), 1);
        QCOMPARE(pressSpy.front().front().toInt(), kSpeed);
        QCOMPARE(rowWhenReported, 0);
        QCOMPARE(Table().CurrentRow(), 2);

        QTest::mouseClick(grid_->viewport(), Qt::RightButton, Qt::NoModifier,
                          grid_->visualRect(Cell(1, kIndex)).center());
        QCOMPARE(pressSpy.count(), 2);
        QCOMPARE(pressSpy.back().front().toInt(), kIndex);

        // A press on the titles reports the current column.
        QHeaderView* rowTitles = grid_->verticalHeader();
        QTest::mouseClick(
            rowTitles->viewport(), Qt::LeftButton, Qt::NoModifier,
            QPoint(rowTitles->width() / 2, rowTitles->sectionViewportPosition(2) + 5));
        QCOMPARE(pressSpy.count(), 3);
        QCOMPARE(pressSpy.back().front().toInt(), kIndex);
    }

    void rightClickAsksForThePopupMenu() {
        QSignalSpy menuSpy(grid_, &QWidget::customContextMenuRequested);
        const QPoint position = grid_->visualRect(Cell(1, kName)).center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, position,
                                grid_->viewport()->mapToGlobal(position));
        QApplication::sendEvent(grid_->viewport(), &event);
        QCOMPARE(menuSpy.count(), 1);
        QCOMPARE(menuSpy.front().front().toPoint(), position);
    }

    void navigatorButtonsActOnTheTable_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<int>("startRow");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("rowCount");
        QTest::addColumn<TableState>("state");
        QTest::newRow("first") << "NavFirst"
                               << "First" << 2 << 0 << 3 << TableState::Browse;
        QTest::newRow("prior") << "NavPrior"
                               << "Prior" << 2 << 1 << 3 << TableState::Browse;
        QTest::newRow("next") << "NavNext"
                              << "Next" << 0 << 1 << 3 << TableState::Browse;
        QTest::newRow("last") << "NavLast"
                              << "Last" << 0 << 2 << 3 << TableState::Browse;
        QTest::newRow("insert") << "NavInsert"
                                << "Insert" << 1 << 1 << 4 << TableState::Insert;
        QTest::newRow("edit") << "NavEdit"
                              << "Edit" << 1 << 1 << 3 << TableState::Edit;
        QTest::newRow("refresh") << "NavRefresh"
                                 << "Refresh" << 1 << 1 << 3 << TableState::Browse;
    }

    void navigatorButtonsActOnTheTable() {
        QFETCH(QString, button);
        QFETCH(QString, toolTip);
        QFETCH(int, startRow);
        QFETCH(int, row);
        QFETCH(int, rowCount);
        QFETCH(TableState, state);
        Table().MoveTo(startRow);

        QToolButton* pressed = Button(button);
        QCOMPARE(pressed->toolTip(), toolTip);
        pressed->click();

        QCOMPARE(Table().CurrentRow(), row);
        QCOMPARE(Table().State(), state);
        QCOMPARE(grid_->model()->rowCount(), rowCount);
        QCOMPARE(grid_->currentIndex().row(), row);
        QVERIFY(Messages().isEmpty());
    }

    void navigatorPostsCancelsAndDeletes() {
        Table().MoveTo(1);
        Button("NavEdit")->click();
        QCOMPARE(grid_->model()->headerData(1, Qt::Vertical).toString(),
                 QString::fromUtf8("\u270E 2"));
        Table().Fields(kName).SetAsString("Blizzard");
        Button("NavCancel")->click();
        QCOMPARE(Cell(1, kName).data().toString(), QStringLiteral("Frost Nova"));

        Button("NavEdit")->click();
        Table().Fields(kName).SetAsString("Blizzard");
        Button("NavPost")->click();
        QCOMPARE(Table().State(), TableState::Browse);
        QCOMPARE(grid_->model()->headerData(1, Qt::Vertical).toString(),
                 QString::fromUtf8("\u25B6 2"));
        QCOMPARE(Cell(1, kName).data().toString(), QStringLiteral("Blizzard"));

        sample_->Dialogs.YesNoAnswers = {false, true};
        Button("NavDelete")->click();
        QCOMPARE(Table().RecordCount(), 3);
        Button("NavDelete")->click();
        QCOMPARE(Table().RecordCount(), 2);
        QCOMPARE(Cell(1, kName).data().toString(), QString());
        QCOMPARE(Questions().size(), 2);
    }

    void navigatorShowsAFailureAndIsIdleWithoutATable() {
        Table().MoveTo(0);
        Table().Edit();
        Table().Fields(kIndex).Clear();
        Button("NavNext")->click();
        QCOMPARE(Messages(), QStringList{"Field 'Index' must have a value"});
        QCOMPARE(Table().CurrentRow(), 0);

        Table().Cancel();
        Table().Close();
        QVERIFY(!window_->findChild<QWidget*>(QStringLiteral("DBNavigator1"))->isEnabled());
    }

  private:
    RecordTable& Table() { return sample_->Table(); }
    QModelIndex Cell(int row, int column) const { return grid_->model()->index(row, column); }

    QStringList Messages() const { return ToQtList(sample_->Dialogs.Messages); }
    QStringList Questions() const { return ToQtList(sample_->Dialogs.Questions); }

    QToolButton* Button(const QString& name) const {
        auto* button = window_->findChild<QToolButton*>(name);
        if (button == nullptr) {
            qFatal("no navigator button %s", qPrintable(name));
        }
        return button;
    }

    // Goes to the cell and opens its editor with F2, as a user would.
    QLineEdit* StartEditing(int row, int column) {
        ClickCell(*grid_, row, column);
        QTest::keyClick(grid_, Qt::Key_F2);
        return qobject_cast<QLineEdit*>(grid_->indexWidget(Cell(row, column)));
    }

    std::unique_ptr<OpenedSpellSample> sample_;
    std::unique_ptr<RecordTableModel> model_;
    std::unique_ptr<QWidget> window_;
    DbGrid* grid_ = nullptr;
};

KELVANE_WINDOW_TEST(DbGridTest);

}  // namespace kelvane::testing

#include "DbGridTest.moc"
