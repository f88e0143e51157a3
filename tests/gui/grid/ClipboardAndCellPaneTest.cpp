#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "app/ui/CellPane.h"
#include "app/ui/DbGrid.h"
#include "app/ui/MainWindow.h"
#include "core/base/DecimalSeparator.h"
#include "core/table/ColumnPresentation.h"
#include "core/table/RecordTable.h"
#include "core/workspace/Workspace.h"
#include "shell/ui/QtText.h"
#include "tests/exchange/ExchangeTables.h"
#include "tests/gui/support/RunningProgram.h"
#include "tests/gui/support/WidgetLookup.h"
#include "tests/gui/support/WindowTests.h"
#include "tests/support/DbcSamples.h"

namespace kelvane::testing {
namespace {

constexpr int kId = 1;
constexpr int kName = 2;
constexpr int kSpeed = 3;
constexpr int kRank = 4;

// One spell whose name runs over two lines with a CR LF between them.
DbcBytes TwoLineSpell() {
    DbcBytes file;
    file.Header(1, 4, 16, 20);
    file.Int(0x20).Int(1).Float(3.0f).Int(2);
    file.Raw(std::string("\0Line one\r\nLine two\0", 20));
    return file;
}

}  // namespace

// Selecting, copying and pasting cells and the Cell pane, by keys and clicks in the main
// window: blocks go between two tables and come back with one Ctrl+Z, a refused value changes
// nothing, and the pane shows and edits a text with CR LF line breaks.
class ClipboardAndCellPaneTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<RunningProgram> program_;

    MainWindow& Window() { return program_->App().MainWindow(); }
    RecordTable& Table() { return program_->App().Work().Table; }
    DbGrid& Grid() { return Window().Grid(); }
    QAction* Action(const char* name) { return Child<QAction>(Window(), name); }
    QPlainTextEdit* PaneText() { return Child<QPlainTextEdit>(Window(), "CellPaneText"); }
    QString PaneFacts() { return Child<QLabel>(Window(), "CellPaneFacts")->text(); }

    void Open(const char* name, const DbcBytes& file) {
        const std::string path = program_->Dir.File(name);
        program_->Dir.Write(name, file.Bytes());
        WriteFieldDefs(path, SpellSampleFields());
        Window().OpenTableFile(path);
        Grid().setFocus();
    }
    void ClickCell(int row, int column, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const QModelIndex cell = Grid().model()->index(row, column);
        QTest::mouseClick(Grid().viewport(), Qt::LeftButton, modifiers,
                          Grid().visualRect(cell).center());
    }
    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&Grid(), static_cast<Qt::Key>(key), modifiers);
    }
    // The shown texts of a block of cells, as the grid shows them.
    std::vector<std::vector<std::string>> ShownTexts(int rows, int firstColumn, int lastColumn) {
        std::vector<std::vector<std::string>> texts(static_cast<size_t>(rows));
        for (int row = 0; row < rows; ++row) {
            for (int column = firstColumn; column <= lastColumn; ++column) {
                texts[static_cast<size_t>(row)].push_back(Table().DisplayText(row, column));
            }
        }
        return texts;
    }

  private slots:
    void initTestCase() { SetDecimalSeparator('.'); }

    void init() {
        program_ = std::make_unique<RunningProgram>();
        QVERIFY(program_->ShowActive());
    }

    void cleanup() {
        QCOMPARE(program_->Dialogs.Unanswered, std::vector<std::string>{});
        program_.reset();
    }

    void blockCopiedFromOneTablePastesIntoAnotherAndUndoesInOneStep() {
        Open("Spell.dbc", SpellSample());
        ClickCell(0, kId);
        ClickCell(1, kSpeed, Qt::ShiftModifier);
        Press(Qt::Key_C, Qt::ControlModifier);
        const QString copied = QApplication::clipboard()->text();
        QVERIFY2(copied.startsWith("10\tFireball\t1.5\nFF\tFrost Nova\t"), qPrintable(copied));
        const auto source = ShownTexts(2, kId, kSpeed);

        Press(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        const QString withHeaders = QApplication::clipboard()->text();
        QStringList captions;
        for (int column = kId; column <= kSpeed; ++column) {
            captions << ToQt(Table().Presentation(column).Caption);
        }
        QCOMPARE(captions.join(' '), QStringLiteral("ID(hex) Name Speed(float)"));
        QCOMPARE(withHeaders.section('\n', 0, 0), captions.join('\t'));
        QCOMPARE(withHeaders.section('\n', 1), copied);

        // The other table has one record: the second row of the block adds one.
        QApplication::clipboard()->setText(copied + "\r\n");  // as a spreadsheet would end it
        Open("Other.dbc", TwoLineSpell());
        const auto before = TableTexts(Table());
        ClickCell(0, kId);
        Press(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Table().RecordCount(), 2);
        QCOMPARE(ShownTexts(2, kId, kSpeed), source);
        QCOMPARE(Action("MenuItemUndo")->text(), QStringLiteral("&Undo Paste"));
        const QModelIndexList selected = Grid().selectionModel()->selectedIndexes();
        QCOMPARE(selected.size(), 6);

        Press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(TableTexts(Table()), before);
        QVERIFY(!Action("MenuItemUndo")->isEnabled());
        QCOMPARE(Grid().model()->rowCount(), 1);
    }

    void shiftWithTheArrowKeysSelectsTheRectangleToCopy() {
        Open("Spell.dbc", SpellSample());
        ClickCell(0, kName);
        Press(Qt::Key_Right, Qt::ShiftModifier);
        Press(Qt::Key_Down, Qt::ShiftModifier);
        Press(Qt::Key_C, Qt::ControlModifier);
        const QString expected =
            QStringList(
                {ToQt(Table().DisplayText(0, kName)) + '\t' + ToQt(Table().DisplayText(0, kSpeed)),
                 ToQt(Table().DisplayText(1, kName)) + '\t' + ToQt(Table().DisplayText(1, kSpeed))})
                .join('\n');
        QCOMPARE(QApplication::clipboard()->text(), expected);
        QVERIFY(expected.startsWith("Fireball\t1.5\nFrost Nova\t0.1"));
        QCOMPARE(Table().CurrentRow(), 1);  // the cursor went along
    }

    void pasteWithARefusedValueChangesNothing() {
        Open("Spell.dbc", SpellSample());
        const auto before = TableTexts(Table());
        QApplication::clipboard()->setText("5\tAlpha\n6\tBeta\nx\tGamma\n");
        ClickCell(0, kRank);
        Press(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(program_->Dialogs.Messages.size(), size_t{1});
        QCOMPARE(program_->Dialogs.Messages.back(),
                 "The text is 2 columns wide, but from 'Rank' on the table has 1. Nothing was "
                 "changed.");

        QApplication::clipboard()->setText("5\n6\nx\n");
        Press(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(program_->Dialogs.Messages.back(),
                 "Record 3, column 'Rank': 'x' may not be typed into this column. Nothing was "
                 "changed.");
        QCOMPARE(TableTexts(Table()), before);
        QVERIFY(!Action("MenuItemUndo")->isEnabled());
    }

    void recordsCopiedWithTheirIndexFillATableWithoutRecords() {
        Open("Spell.dbc", SpellSample());
        ClickCell(0, 0);
        ClickCell(1, kName, Qt::ShiftModifier);
        Press(Qt::Key_C, Qt::ControlModifier);
        const auto source = ShownTexts(2, 0, kName);
        program_->Dialogs.YesNoAnswers.push_back(true);
        Action("MenuItemEmptytable")->trigger();
        QCOMPARE(Table().RecordCount(), 0);

        Grid().setFocus();
        Press(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Table().RecordCount(), 2);
        QCOMPARE(ShownTexts(2, 0, kName), source);
        Press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Table().RecordCount(), 0);
    }

    void ctrlVInACellBeingTypedPastesIntoItsEditorOnly() {
        Open("Spell.dbc", SpellSample());
        QApplication::clipboard()->setText("Blizzard");
        ClickCell(1, kName);
        Press(Qt::Key_F2);
        auto* editor =
            qobject_cast<QLineEdit*>(Grid().indexWidget(Grid().model()->index(1, kName)));
        QVERIFY(editor != nullptr);
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(editor->text(), QStringLiteral("Blizzard"));
        QCOMPARE(Table().StringAt(1, kName), "Frost Nova");
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(Table().StringAt(1, kName), "Blizzard");
    }

    void cellPaneShowsEditsAndUndoesATextWithCrLf() {
        Open("Other.dbc", TwoLineSpell());
        Action("MenuItemCellPane")->trigger();
        QVERIFY(Window().CellPane().isVisible());
        ClickCell(0, kName);
        QCOMPARE(PaneText()->toPlainText(), QString::fromUtf8("Line one\u240D\u240A\nLine two"));
        QCOMPARE(PaneFacts(), QStringLiteral("Length: 18"));

        // A line break typed in the pane takes the text's CR LF.
        QTest::mouseClick(PaneText()->viewport(), Qt::LeftButton);
        QTest::keyClick(PaneText(), Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(PaneText(), Qt::Key_Return);
        QTest::keyClicks(PaneText(), QStringLiteral("Line three"));
        QTest::keyClick(PaneText(), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(Table().StringAt(0, kName), "Line one\r\nLine two\r\nLine three");
        QTRY_COMPARE(PaneFacts(), QStringLiteral("Length: 30"));
        QCOMPARE(Action("MenuItemUndo")->text(), QStringLiteral("&Undo Edit Cell"));

        Press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Table().StringAt(0, kName), "Line one\r\nLine two");
        QTRY_COMPARE(PaneText()->toPlainText(),
                     QString::fromUtf8("Line one\u240D\u240A\nLine two"));

        // A number shows its other readings and is checked as typing into the grid is.
        ClickCell(0, kRank);
        QCOMPARE(
            PaneFacts(),
            QStringLiteral("Hexadecimal: 0x00000002\nSame bits as float: 2.80259692864963E-45"));
        PaneText()->selectAll();
        QTest::keyClicks(PaneText(), QStringLiteral("99999999999"));
        QTest::mouseClick(Child<QPushButton>(Window(), "CellPaneApply"), Qt::LeftButton);
        QCOMPARE(program_->Dialogs.Messages.back(),
                 "Record 1, column 'Rank': '99999999999' is not a valid integer value. Nothing was "
                 "changed.");
        QCOMPARE(Table().IntegerAt(0, kRank), 2);

        Action("MenuItemCellPane")->trigger();
        QVERIFY(!Window().CellPane().isVisible());
    }
};

KELVANE_WINDOW_TEST(ClipboardAndCellPaneTest);

}  // namespace kelvane::testing

#include "ClipboardAndCellPaneTest.moc"
