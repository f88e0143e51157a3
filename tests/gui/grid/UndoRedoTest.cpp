#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "app/ui/DbGrid.h"
#include "app/ui/MainWindow.h"
#include "core/workspace/Workspace.h"
#include "tests/exchange/ExchangeTables.h"
#include "tests/gui/support/GridClicks.h"
#include "tests/gui/support/RunningProgram.h"
#include "tests/gui/support/SpellSampleOnDisk.h"
#include "tests/gui/support/WidgetLookup.h"
#include "tests/gui/support/WindowTests.h"
#include "tests/support/DbcSamples.h"

namespace kelvane::testing {

constexpr int kNameColumn = 2;

// Undo and redo from the keyboard in the main window: every kind of change is taken back and
// done again, the caption's mark and the Edit menu follow, and the file saved afterwards is the
// file the change alone gives.
class UndoRedoTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<RunningProgram> program_;
    std::string path_;

    MainWindow& Window() { return program_->App().MainWindow(); }
    RecordTable& Table() { return program_->App().Work().Table; }
    DbGrid& Grid() { return Window().Grid(); }
    QAction* Action(const char* name) { return Child<QAction>(Window(), name); }
    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&Grid(), static_cast<Qt::Key>(key), modifiers);
    }
    // Every record's cells but Index, which a load numbers afresh.
    static std::vector<std::vector<std::string>> FieldTexts(const RecordTable& table) {
        auto rows = TableTexts(table);
        for (auto& row : rows) {
            row.erase(row.begin());
        }
        return rows;
    }
    bool CaptionMarked() { return Window().windowTitle().endsWith('*'); }
    void Make(const QString& change) {
        if (change == "typed cell") {
            ClickCell(Grid(), 1, kNameColumn);
            Press(Qt::Key_F2);
            auto* editor =
                qobject_cast<QLineEdit*>(Grid().indexWidget(Grid().model()->index(1, kNameColumn)));
            QVERIFY(editor != nullptr);
            editor->selectAll();
            QTest::keyClicks(editor, QStringLiteral("Ice Lance"));
            QTest::keyClick(editor, Qt::Key_Return);
            ClickCell(Grid(), 0, kNameColumn);  // leaving the record posts it
        } else if (change == "deleted record") {
            ClickCell(Grid(), 1, kNameColumn);
            program_->Dialogs.YesNoAnswers.push_back(true);
            Press(Qt::Key_Delete, Qt::ControlModifier);
        } else if (change == "patch import") {
            // Changes a record and adds one, which the import leaves open.
            program_->Dir.Write("patch.txt", "255:3=9\r\n77:1=New\r\n");
            program_->Dialogs.FileAnswers.push_back(program_->Dir.File("patch.txt"));
            Action("ImportfromPatchwellsformat1")->trigger();
        } else if (change == "emptied table") {
            program_->Dialogs.YesNoAnswers.push_back(true);
            Action("MenuItemEmptytable")->trigger();
        }
    }

  private slots:
    void init() {
        program_ = std::make_unique<RunningProgram>();
        path_ = WriteSpellSample(program_->Dir);
        QVERIFY(program_->ShowActive());
        Window().OpenTableFile(path_);
        Grid().setFocus();
    }

    void cleanup() {
        QCOMPARE(program_->Dialogs.Unanswered, std::vector<std::string>{});
        program_.reset();
    }

    void everyChangeIsTakenBackAndDoneAgain_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("step");
        QTest::newRow("typed cell") << "typed cell"
                                    << "Edit Cell";
        QTest::newRow("deleted record") << "deleted record"
                                        << "Delete Record";
        QTest::newRow("patch import") << "patch import"
                                      << "Import Patch";
        QTest::newRow("emptied table") << "emptied table"
                                       << "Empty Table";
    }

    void everyChangeIsTakenBackAndDoneAgain() {
        QFETCH(QString, change);
        QFETCH(QString, step);
        const auto before = TableTexts(Table());

        Make(change);
        Grid().setFocus();
        QVERIFY(CaptionMarked());
        QCOMPARE(Action("MenuItemUndo")->text(), "&Undo " + step);
        Table().FinishEditing();  // an import leaves its last record open; Undo posts it too
        const auto after = TableTexts(Table());

        Press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(TableTexts(Table()), before);
        QCOMPARE(Grid().model()->rowCount(), Table().RowCount());
        QCOMPARE(Grid().currentIndex().row(), Table().CurrentRow());
        QVERIFY(!CaptionMarked());
        QVERIFY(!Action("MenuItemUndo")->isEnabled());
        QCOMPARE(Action("MenuItemRedo")->text(), "&Redo " + step);

        Press(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(TableTexts(Table()), after);
        QCOMPARE(Grid().model()->rowCount(), Table().RowCount());
        Press(Qt::Key_Z, Qt::ControlModifier);
        Press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(TableTexts(Table()), after);
        QVERIFY(CaptionMarked());

        Press(Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!CaptionMarked());

        // The file holds the change: opened again, it reads as the table did (Index counts the
        // records anew).
        const auto saved = FieldTexts(Table());
        Window().OpenTableFile(path_);
        QCOMPARE(FieldTexts(Table()), saved);
    }
};

KELVANE_WINDOW_TEST(UndoRedoTest);

}  // namespace kelvane::testing

#include "UndoRedoTest.moc"
