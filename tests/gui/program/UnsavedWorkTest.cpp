#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ui/CellPane.h"
#include "app/ui/DbGrid.h"
#include "app/ui/MainWindow.h"
#include "core/base/DecimalSeparator.h"
#include "core/files/TablePaths.h"
#include "core/workspace/Workspace.h"
#include "core/workspace/WorkspaceFiles.h"
#include "tests/gui/support/FieldsDialogKeys.h"
#include "tests/gui/support/GridClicks.h"
#include "tests/gui/support/RunningProgram.h"
#include "tests/gui/support/SpellSampleOnDisk.h"
#include "tests/gui/support/WidgetLookup.h"
#include "tests/gui/support/WindowTests.h"
#include "tests/support/DbcSamples.h"
#include "tests/support/TalentSamples.h"

Q_DECLARE_METATYPE(kelvane::UnsavedChangesAnswer)

namespace kelvane::testing {

// Work typed into the main window is never lost: every command sees what was typed, the
// commands that replace the table ask first, and saving leaves the user where they were.
class UnsavedWorkTest : public QObject {
    Q_OBJECT

  private:
    static constexpr int kName = 2;
    static constexpr int kSpeed = 3;
    static constexpr int kRank = 4;

    std::unique_ptr<RunningProgram> run_;
    std::string spell_;

    MainWindow& Window() { return run_->App().MainWindow(); }
    RecordTable& Table() { return run_->App().Work().Table; }
    const TempDir& Dir() { return run_->Dir; }
    ScriptedDialogs& Dialogs() { return run_->Dialogs; }
    ScriptedModals& Modals() { return run_->Modals; }
    DbGrid& Grid() { return Window().Grid(); }
    QAction* Action(const char* name) { return Child<QAction>(Window(), name); }
    QModelIndex Cell(int row, int column) { return Grid().model()->index(row, column); }

    // Types over the cell's text and leaves its editor open, as a user who has not pressed
    // Enter yet.
    QLineEdit* TypeIntoCell(int row, int column, const QString& text) {
        ClickCell(Grid(), row, column);
        QTest::keyClick(&Grid(), Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(Grid().indexWidget(Cell(row, column)));
        if (editor == nullptr) {
            qFatal("no cell editor");
        }
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, text);
        return editor;
    }
    // The name of record 1 in the DBC file as it is on disk.
    std::string NameOnDisk(const std::string& path) {
        Workspace disk;
        disk.Current.FilePath = path;
        disk.Current.TableName = TableNameFromPath(path);
        LoadDbcFile(disk, path, true, 0);
        return std::string(disk.Table.StringAt(1, kName));
    }
    void AnswerFieldsDialogRenamingRank() {
        Modals().Scripts.push_back([](QDialog& dialog) {
            Child<QTableWidget>(dialog, "sg")->item(3, 1)->setText("Level");
            Child<QAbstractButton>(dialog, "BitBtn1")->click();
            return dialog.result();
        });
    }
    QPlainTextEdit* PaneText() { return Child<QPlainTextEdit>(Window(), "CellPaneText"); }
    // Shows the Cell pane on the cell and types over its text, leaving it unapplied.
    void TypeIntoPane(int row, int column, const QString& text) {
        if (!Window().CellPane().isVisible()) {
            Action("MenuItemCellPane")->trigger();
        }
        ClickCell(Grid(), row, column);
        QTest::mouseClick(PaneText()->viewport(), Qt::LeftButton);
        QTest::keyClick(PaneText(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(PaneText(), text);
    }
    bool TitleMarked() { return Window().windowTitle().endsWith('*'); }
    void AnswerNewDialogWithThreeFields() {
        Modals().Scripts.push_back([](QDialog& dialog) {
            ButtonWithText(dialog, "empty (enter field count)")->click();
            Child<QLineEdit>(dialog, "MaskEditFCount")->setText("3");
            Child<QAbstractButton>(dialog, "BitBtn1")->click();
            return dialog.result();
        });
    }

  private slots:
    void initTestCase() { SetDecimalSeparator('.'); }

    void init() {
        run_ = std::make_unique<RunningProgram>();
        spell_ = WriteSpellSample(Dir());
        WriteSpellSample(Dir(), "Other.dbc");
        Window().OpenTableFile(spell_);
        QVERIFY(run_->ShowActive());
    }

    void cleanup() {
        QCOMPARE(Dialogs().Unanswered, std::vector<std::string>{});
        QCOMPARE(Modals().Unanswered, std::vector<std::string>{});
        run_.reset();
    }

    void typedValueReachesTheFileWhateverStartsTheSave_data() {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<QString>("file");
        QTest::newRow("Ctrl+S") << "shortcut"
                                << "Spell.dbc";
        QTest::newRow("File > Save") << "menu"
                                     << "Spell.dbc";
        QTest::newRow("navigator Post, then Save") << "navigator"
                                                   << "Spell.dbc";
        QTest::newRow("Export everything") << "export"
                                           << "All.csv";
        QTest::newRow("pop-up Export All") << "patch export"
                                           << "All.txt";
    }

    void typedValueReachesTheFileWhateverStartsTheSave() {
        QFETCH(QString, trigger);
        QFETCH(QString, file);
        QLineEdit* editor = TypeIntoCell(1, kName, "Typed name");
        const std::string path = Dir().File(file.toStdString());
        if (trigger == "shortcut") {
            QTest::keyClick(editor, Qt::Key_S, Qt::ControlModifier);
        } else if (trigger == "menu") {
            Action("MenuItemSave")->trigger();
        } else if (trigger == "navigator") {
            QTest::mouseClick(Child<QToolButton>(Window(), "NavPost"), Qt::LeftButton);
            QCOMPARE(Table().State(), TableState::Browse);
            QTest::keyClick(&Grid(), Qt::Key_S, Qt::ControlModifier);
        } else {
            Dialogs().FileAnswers.push_back(path);
            Action(trigger == "export" ? "MenuItemExporttotxt" : "ExportAll2")->trigger();
        }

        QCOMPARE(Dialogs().Messages, std::vector<std::string>{});
        if (file.endsWith(".dbc")) {
            QCOMPARE(NameOnDisk(path), std::string("Typed name"));
        } else {
            QVERIFY(Dir().Read(file.toStdString()).find("Typed name") != std::string::npos);
        }
        QCOMPARE(std::string(Table().StringAt(1, kName)), std::string("Typed name"));
    }

    void aRefusedValueStopsTheCommand() {
        TypeIntoCell(1, kRank, "99999999999");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(Dialogs().Messages,
                 std::vector<std::string>{
                     "'99999999999' is not a valid integer value for field 'Rank'"});
        QVERIFY(Dir().Read("Spell.dbc") == SpellSample().Bytes());

        // The navigator's buttons stop alike.
        TypeIntoCell(1, kRank, "99999999999");
        QTest::mouseClick(Child<QToolButton>(Window(), "NavNext"), Qt::LeftButton);
        QCOMPARE(Dialogs().Messages.size(), size_t{2});
        QCOMPARE(Table().CurrentRow(), 1);
    }

    void guardedCommandsAskSaveDiscardOrCancel_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<UnsavedChangesAnswer>("answer");
        for (const char* command : {"close", "Open", "Reload", "New", "Fields", "Talent Editor"}) {
            QTest::addRow("%s, Save", command) << command << UnsavedChangesAnswer::Save;
            QTest::addRow("%s, Discard", command) << command << UnsavedChangesAnswer::Discard;
            QTest::addRow("%s, Cancel", command) << command << UnsavedChangesAnswer::Cancel;
        }
    }

    void guardedCommandsAskSaveDiscardOrCancel() {
        QFETCH(QString, command);
        QFETCH(UnsavedChangesAnswer, answer);
        const std::string savedName(Table().StringAt(1, kName));
        TypeIntoCell(1, kName, "Typed name");
        Dialogs().SaveChangesAnswers.push_back(answer);
        const bool goesOn = answer != UnsavedChangesAnswer::Cancel;

        std::function<bool()> wentOn;
        if (command == "close") {
            Window().close();
            wentOn = [this] { return !Window().isVisible(); };
        } else if (command == "Open") {
            if (goesOn) {
                Dialogs().FileAnswers.push_back(Dir().File("Other.dbc"));
            }
            Action("MenuItemOpenDbc")->trigger();
            wentOn = [this] { return Window().windowTitle() == "Kelvane by Dravik - Other"; };
        } else if (command == "Reload") {
            const RecordId shown = Table().RecordIdAt(0);
            Action("MenuItemReloadLastFile")->trigger();
            wentOn = [this, shown] { return !(Table().RecordIdAt(0) == shown); };
        } else if (command == "New") {
            if (goesOn) {
                AnswerNewDialogWithThreeFields();
                Dialogs().FileAnswers.push_back(std::nullopt);  // the offered Save as
            }
            Action("MenuItemNewTable")->trigger();
            wentOn = [this] { return Table().FieldCount() == 4; };
        } else if (command == "Fields") {
            AnswerFieldsDialogRenamingRank();
            Action("MenuItemFields")->trigger();
            wentOn = [this] { return Table().ColumnName(kRank) == "Level"; };
        } else {
            WriteTalentTab(Dir().File("TalentTab.dbc"), {{41, "Affliction", 256, 0, 0}});
            WriteTalents(Dir().File("Talent.dbc"), {{1001, 41, 0, 0, {11, 12, 13, 0, 0}}});
            Dialogs().FileAnswers.push_back(Dir().File("TalentTab.dbc"));
            Dialogs().FileAnswers.push_back(Dir().File("Talent.dbc"));
            Action("alentEditor1")->trigger();
            QTRY_VERIFY(!Dialogs().SaveChangesQuestions.empty());
            wentOn = [this] {
                return Window().windowTitle().startsWith("Kelvane by Dravik - Talent");
            };
        }

        QCOMPARE(
            Dialogs().SaveChangesQuestions,
            std::vector<std::string>{"Spell.dbc has changes that are not saved.\n\nSave them?"});
        QCOMPARE(wentOn(), goesOn);
        QCOMPARE(NameOnDisk(spell_),
                 answer == UnsavedChangesAnswer::Save ? std::string("Typed name") : savedName);
        if (!goesOn) {
            QCOMPARE(std::string(Table().StringAt(1, kName)), std::string("Typed name"));
            QVERIFY(Window().isVisible());
        }
    }

    // Typed text is unsaved work from the first keystroke, in a grid cell and in the Cell pane
    // alike; taking it back takes the mark back.
    void theTitleIsMarkedFromTheFirstKeystroke() {
        QVERIFY(!TitleMarked());
        QLineEdit* editor = TypeIntoCell(1, kName, "T");
        QVERIFY(TitleMarked());
        QTest::keyClick(editor, Qt::Key_Escape);
        QVERIFY(!TitleMarked());

        TypeIntoPane(1, kName, "P");
        QVERIFY(TitleMarked());
        QTest::keyClick(PaneText(), Qt::Key_Escape);
        QVERIFY(!TitleMarked());
        QCOMPARE(PaneText()->toPlainText(),
                 QString::fromStdString(std::string(Table().StringAt(1, kName))));
    }

    void paneTextReachesTheFileWhateverStartsTheSave_data() {
        QTest::addColumn<QString>("trigger");
        QTest::newRow("Ctrl+S in the pane") << "shortcut";
        QTest::newRow("File > Save") << "menu";
        QTest::newRow("close, then Save") << "close";
    }

    void paneTextReachesTheFileWhateverStartsTheSave() {
        QFETCH(QString, trigger);
        TypeIntoPane(1, kName, "Pane name");
        if (trigger == "shortcut") {
            QTest::keyClick(PaneText(), Qt::Key_S, Qt::ControlModifier);
        } else if (trigger == "menu") {
            Action("MenuItemSave")->trigger();
        } else {
            Dialogs().SaveChangesAnswers.push_back(UnsavedChangesAnswer::Save);
            Window().close();
            QVERIFY(!Window().isVisible());
        }

        QCOMPARE(Dialogs().Messages, std::vector<std::string>{});
        QCOMPARE(NameOnDisk(spell_), std::string("Pane name"));
        QCOMPARE(std::string(Table().StringAt(1, kName)), std::string("Pane name"));
        QVERIFY(!TitleMarked());
    }

    // Closing with text still in the pane asks as closing with a changed table does; a Cancel
    // keeps the text, now in the table.
    void closingWithPaneTextAsks() {
        const std::string savedName(Table().StringAt(1, kName));
        TypeIntoPane(1, kName, "Pane name");
        Dialogs().SaveChangesAnswers.push_back(UnsavedChangesAnswer::Cancel);
        Window().close();
        QVERIFY(Window().isVisible());
        QCOMPARE(Dialogs().SaveChangesQuestions.size(), size_t{1});
        QCOMPARE(std::string(Table().StringAt(1, kName)), std::string("Pane name"));
        QVERIFY(TitleMarked());

        Dialogs().SaveChangesAnswers.push_back(UnsavedChangesAnswer::Discard);
        Window().close();
        QVERIFY(!Window().isVisible());
        QCOMPARE(NameOnDisk(spell_), savedName);
    }

    // Moving to another cell stores the pane's text in its own cell, as leaving a grid cell
    // does, and the user arrives where they clicked.
    void leavingThePanesCellStoresItsText() {
        TypeIntoPane(1, kName, "Pane name");
        ClickCell(Grid(), 2, kSpeed);

        QCOMPARE(std::string(Table().StringAt(1, kName)), std::string("Pane name"));
        QCOMPARE(Grid().currentIndex(), Cell(2, kSpeed));
        QCOMPARE(Table().CurrentRow(), 2);
        QCOMPARE(PaneText()->toPlainText(), QString::fromStdString(Table().DisplayText(2, kSpeed)));
        QCOMPARE(Action("MenuItemUndo")->text(), QStringLiteral("&Undo Edit Cell"));
        QVERIFY(TitleMarked());
    }

    // A value the column refuses keeps the user on its cell with the text, and stops every
    // command until it is mended or taken back with Escape.
    void aRefusedPaneValueKeepsItsCellAndStopsTheSave() {
        TypeIntoPane(0, kRank, "99999999999");
        ClickCell(Grid(), 2, kName);
        const std::string refusal =
            "Record 1, column 'Rank': '99999999999' is not a valid integer value. Nothing was "
            "changed.";
        QCOMPARE(Dialogs().Messages, std::vector<std::string>{refusal});
        QCOMPARE(Grid().currentIndex(), Cell(0, kRank));
        QCOMPARE(PaneText()->toPlainText(), QStringLiteral("99999999999"));

        QTest::keyClick(PaneText(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(Dialogs().Messages, (std::vector<std::string>{refusal, refusal}));
        QVERIFY(Dir().Read("Spell.dbc") == SpellSample().Bytes());
        QVERIFY(TitleMarked());

        QTest::keyClick(PaneText(), Qt::Key_Escape);
        QVERIFY(!TitleMarked());
        Window().close();
        QVERIFY(!Window().isVisible());
    }

    // The Fields dialog's names go nowhere until the command goes ahead: a Cancel at the
    // question about unsaved changes leaves the file, the grid and the next dialog as they were.
    void fieldsCancelledAtTheQuestionWritesNothing() {
        const std::string definitions = Dir().Read("Spell.ini");
        QLineEdit* editor = TypeIntoCell(1, kName, "Typed name");
        QTest::keyClick(editor, Qt::Key_Return);
        Modals().Scripts.push_back(
            [](QDialog& dialog) { return RenameFieldAndConfirm(dialog, 3, "Level"); });
        Dialogs().SaveChangesAnswers.push_back(UnsavedChangesAnswer::Cancel);
        Action("MenuItemFields")->trigger();

        QCOMPARE(Dialogs().SaveChangesQuestions.size(), size_t{1});
        QVERIFY(Dir().Read("Spell.ini") == definitions);
        QCOMPARE(Table().ColumnName(kRank), std::string("Rank"));
        QCOMPARE(std::string(Table().StringAt(1, kName)), std::string("Typed name"));
        QStringList namesShown;
        Modals().Scripts.push_back([&namesShown](QDialog& dialog) {
            namesShown = ColumnTexts(*Child<QTableWidget>(dialog, "sg"), 1);
            return int{QDialog::Rejected};
        });
        Action("MenuItemFields")->trigger();
        QCOMPARE(namesShown, (QStringList{"ID", "Name", "Speed", "Rank"}));
    }

    void openCancelledOrFailedKeepsTheTable() {
        Dialogs().FileAnswers.push_back(std::nullopt);
        Action("MenuItemOpenDbc")->trigger();
        Dialogs().FileAnswers.push_back(Dir().File("Missing.dbc"));
        Action("MenuItemOpenDbc")->trigger();
        QCOMPARE(Dialogs().Messages.size(), size_t{1});

        QCOMPARE(Grid().model()->rowCount(), 3);
        QCOMPARE(Window().windowTitle(), QString("Kelvane by Dravik - Spell"));
        QVERIFY(Action("MenuItemSave")->isEnabled());
        Action("MenuItemSave")->trigger();
        QCOMPARE(Dialogs().Messages.size(), size_t{1});
        QVERIFY(Dir().Read("Spell.dbc") == SpellSample().Bytes());
    }

    void savingAndExportingKeepTheCurrentRecordAndColumn_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("file");
        QTest::newRow("File > Save") << "MenuItemSave"
                                     << "";
        QTest::newRow("Save as") << "MenuItemSaveas"
                                 << "Copy.dbc";
        QTest::newRow("Export everything") << "MenuItemExporttotxt"
                                           << "All.csv";
        QTest::newRow("Export All") << "Exportall1"
                                    << "All.txt";
    }

    void savingAndExportingKeepTheCurrentRecordAndColumn() {
        QFETCH(QString, entry);
        QFETCH(QString, file);
        ClickCell(Grid(), 1, kSpeed);
        if (!file.isEmpty()) {
            Dialogs().FileAnswers.push_back(Dir().File(file.toStdString()));
        }
        Action(entry.toLatin1().constData())->trigger();
        QCOMPARE(Grid().currentIndex(), Cell(1, kSpeed));
        QCOMPARE(Table().CurrentRow(), 1);

        // With a typed value that the save posts.
        TypeIntoCell(0, kSpeed, "2.5");
        if (!file.isEmpty()) {
            Dialogs().FileAnswers.push_back(Dir().File(file.toStdString()));
        }
        Action(entry.toLatin1().constData())->trigger();
        QCOMPARE(Grid().currentIndex(), Cell(0, kSpeed));
        QCOMPARE(Table().CurrentRow(), 0);
        QCOMPARE(Table().FloatAt(0, kSpeed), 2.5);
    }

    void deleteRowAndEmptyTableAsk() {
        ClickCell(Grid(), 1, kName);
        Dialogs().YesNoAnswers = {false, true};
        Action("DeleteRow1")->trigger();
        QCOMPARE(Table().RecordCount(), 3);
        Action("DeleteRow1")->trigger();
        QCOMPARE(Table().RecordCount(), 2);
        QCOMPARE(Dialogs().Questions, (std::vector<std::string>{"Delete record 2 of 3 (ID FF)?",
                                                                "Delete record 2 of 3 (ID FF)?"}));

        Dialogs().YesNoAnswers = {false, true};
        Action("MenuItemEmptytable")->trigger();
        QCOMPARE(Table().RecordCount(), 2);
        Action("MenuItemEmptytable")->trigger();
        QCOMPARE(Table().RecordCount(), 0);
        QCOMPARE(Dialogs().DefaultNoQuestions,
                 (std::vector<std::string>{"Delete all 2 records?", "Delete all 2 records?"}));
        // Nothing is asked again when the window closes after a save.
        Action("MenuItemSave")->trigger();
        Window().close();
        QVERIFY(!Window().isVisible());
    }
};

KELVANE_WINDOW_TEST(UnsavedWorkTest);

}  // namespace kelvane::testing

#include "UnsavedWorkTest.moc"
