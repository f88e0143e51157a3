#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/ui/DbGrid.h"
#include "app/ui/MainWindow.h"
#include "app/ui/PresetWindow.h"
#include "app/ui/RecordTableModel.h"
#include "core/base/KelvaneVersion.h"
#include "core/definitions/Presets.h"
#include "core/table/Field.h"
#include "core/workspace/Workspace.h"
#include "program/Program.h"
#include "shell/UserDialogs.h"
#include "shell/ui/LoadProgressWindow.h"
#include "shell/ui/QtText.h"
#include "tests/gui/support/RunningProgram.h"
#include "tests/gui/support/SpellSampleOnDisk.h"
#include "tests/gui/support/WidgetLookup.h"
#include "tests/gui/support/WindowTests.h"
#include "tests/support/DbcSamples.h"

namespace kelvane::testing {

// The main window and the program around it, driven through object names as a user would.
class MainWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<RunningProgram> run_;

    Program& App() { return run_->App(); }
    MainWindow& Window() { return App().MainWindow(); }
    Workspace& Work() { return App().Work(); }
    const TempDir& Dir() { return run_->Dir; }
    ScriptedDialogs& Dialogs() { return run_->Dialogs; }
    ScriptedModals& Modals() { return run_->Modals; }
    QAction* Action(const char* name) { return Child<QAction>(Window(), name); }
    // Answers the new-table dialog: a field count, or a field-definition file to import.
    void AnswerNewDialog(const QString& fieldCount, const QString& iniPath = {}) {
        Modals().Scripts.push_back([fieldCount, iniPath](QDialog& dialog) {
            if (iniPath.isEmpty()) {
                ButtonWithText(dialog, "empty (enter field count)")->click();
                Child<QLineEdit>(dialog, "MaskEditFCount")->setText(fieldCount);
            } else {
                ButtonWithText(dialog, "import field defs from *.ini")->click();
                Child<QLineEdit>(dialog, "EditIniFName")->setText(iniPath);
            }
            Child<QAbstractButton>(dialog, "BitBtn1")->click();
            return dialog.result();
        });
    }

    // Answers the search dialog: the value, confirmed with the button of that caption.
    void AnswerSearch(const QString& value, const char* button = "&OK") {
        Modals().Scripts.push_back([value, button](QDialog& dialog) {
            Child<QLineEdit>(dialog, "edValue")->setText(value);
            QTest::mouseClick(ButtonWithText(dialog, QString::fromLatin1(button)), Qt::LeftButton);
            return dialog.result();
        });
    }
    QModelIndex GridCurrent() { return Window().Grid().currentIndex(); }
    QModelIndex Cell(int row, int column) { return Window().Grid().model()->index(row, column); }

  private slots:
    void init() { run_ = std::make_unique<RunningProgram>(); }

    void cleanup() {
        QCOMPARE(Dialogs().Unanswered, std::vector<std::string>{});
        QCOMPARE(Modals().Unanswered, std::vector<std::string>{});
        run_.reset();
    }

    void startCreatesEveryWindowOnceInOrderAllHidden() {
        const QStringList expected = {"Form1",
                                      "FormFieldSettings",
                                      "FormCreateNewDialog",
                                      "Form5",
                                      "Form7",
                                      "ItemDat",
                                      "Form6",
                                      "Form8",
                                      "Form9",
                                      "LoadDbcShow",
                                      "CreaturesDat",
                                      "AskDiag",
                                      "GODat",
                                      "NotesForm",
                                      "QueueForm",
                                      "PresetForm",
                                      "Form17",
                                      "Form18",
                                      "Form19",
                                      "Form20"};
        QStringList windows;
        for (QWidget* window : App().Windows()) {
            windows << window->objectName();
            QVERIFY(!window->isVisible());
        }
        QCOMPARE(windows, expected);
        QCOMPARE(Window().objectName(), QString("Form1"));
        const QString title = "Kelvane by Dravik v" + ToQt(KelvaneVersion());
        QCOMPARE(Window().windowTitle(), title);
        QCOMPARE(QApplication::applicationName(), title);
        QCOMPARE(Window().size(), QSize(763, 553));
        QCOMPARE(Work().Current.NewTableCounter, 1);
    }

    void menuEntries_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("shown");
        QTest::newRow("new") << "MenuItemNewTable"
                             << "&New"
                             << "" << true << true;
        QTest::newRow("open") << "MenuItemOpenDbc"
                              << "&Open *.dbc"
                              << "Ctrl+O" << true << true;
        QTest::newRow("reload") << "MenuItemReloadLastFile"
                                << "&Reload"
                                << "Ctrl+R" << false << true;
        QTest::newRow("save") << "MenuItemSave"
                              << "&Save"
                              << "Ctrl+S" << false << true;
        QTest::newRow("save as") << "MenuItemSaveas"
                                 << "Save &as..."
                                 << "" << false << true;
        QTest::newRow("exit") << "Exit1"
                              << "E&xit"
                              << "" << true << true;
        QTest::newRow("fields") << "MenuItemFields"
                                << "Fields..."
                                << "" << true << true;
        QTest::newRow("empty") << "MenuItemEmptytable"
                               << "Empty table"
                               << "" << true << true;
        QTest::newRow("find") << "Find1"
                              << "&Find"
                              << "Ctrl+F" << true << true;
        QTest::newRow("find next") << "FindNext1"
                                   << "Find &Next"
                                   << "F3" << true << true;
        QTest::newRow("notes") << "NotesForm1"
                               << "Notes"
                               << "" << true << true;
        QTest::newRow("auto reload") << "MenuItemAutoreloadonfieldschange"
                                     << "Auto reload on fields change"
                                     << "" << true << true;
        QTest::newRow("import patch") << "ImportfromPatchwellsformat1"
                                      << "Import from Patchwell's format"
                                      << "" << true << true;
        QTest::newRow("scp") << "MenuItemImportfromscp"
                             << "Import from *.scp"
                             << "" << true << true;
        QTest::newRow("itempages") << "MenuItemImportPageText"
                                   << "Import itempages.tt"
                                   << "" << true << true;
        QTest::newRow("export everything") << "MenuItemExporttotxt"
                                           << "Export &everything to..."
                                           << "" << false << true;
        QTest::newRow("export line") << "Exportselectedline"
                                     << "Export selected &line to csv"
                                     << "" << false << true;
        QTest::newRow("talents") << "alentEditor1"
                                 << "Talent Editor"
                                 << "" << true << true;
        QTest::newRow("blp") << "BLPConverter1"
                             << "BLP Converter"
                             << "" << true << false;
        QTest::newRow("about") << "About1"
                               << "&About"
                               << "" << true << true;
        QTest::newRow("add row") << "Addrow1"
                                 << "Add row"
                                 << "" << true << true;
        QTest::newRow("delete row") << "DeleteRow1"
                                    << "Delete Row"
                                    << "" << true << true;
        QTest::newRow("popup export all") << "ExportAll2"
                                          << "Export All"
                                          << "" << true << true;
        QTest::newRow("queue from popup") << "ExportfromQueue1"
                                          << "Export from Queue"
                                          << "" << true << true;
    }

    void menuEntries() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, shortcut);
        QFETCH(bool, enabled);
        QFETCH(bool, shown);
        QAction* action = Action(name.toLatin1().constData());
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->shortcut().toString(), shortcut);
        QCOMPARE(action->isVisible(), shown);
        if (shown) {  // Qt reports a hidden entry as disabled
            QCOMPARE(action->isEnabled(), enabled);
        }
    }

    void hiddenAndDisabledSubmenus() {
        auto* patch = Window().findChild<QMenu*>("ExportforPatchwell1");
        QVERIFY(patch != nullptr);
        QVERIFY(!patch->menuAction()->isEnabled());
        auto* editor = Window().findChild<QMenu*>("Editor1");
        QVERIFY(editor != nullptr);
        QVERIFY(!editor->menuAction()->isVisible());
        QVERIFY(Action("MenuItemAutoreloadonfieldschange")->isChecked());
        QVERIFY(Action("N1")->isSeparator());  // a line between the groups, nothing to click
        QVERIFY(Window().findChild<QMenu*>("PopupMenu2") != nullptr);
    }

    void openShowsTheTableAndEnablesTheCommands() {
        run_->OpenWithMenu(WriteSpellSample(Dir()));

        auto* grid = Window().findChild<QTableView*>("DBGrid1");
        QVERIFY(grid != nullptr);
        QCOMPARE(grid->model()->rowCount(), 3);
        QCOMPARE(grid->model()->columnCount(), 5);
        QCOMPARE(grid->model()->headerData(1, Qt::Horizontal).toString(), QString("ID(hex)"));
        QCOMPARE(Window().windowTitle(), QString("Kelvane by Dravik - Spell"));
        for (const char* name : {"MenuItemReloadLastFile", "MenuItemSave", "MenuItemSaveas",
                                 "MenuItemExporttotxt", "Exportselectedline"}) {
            QVERIFY2(Action(name)->isEnabled(), name);
        }
        QVERIFY(Window().findChild<QMenu*>("ExportforPatchwell1")->menuAction()->isEnabled());
        QVERIFY(!App().LoadProgress().isVisible());
    }

    void commandLinePathOpensWhenTheWindowIsFirstShown() {
        const std::string path = WriteSpellSample(Dir());
        run_->Restart({path});
        Window().show();
        QTRY_COMPARE(Work().Table.RecordCount(), 3);
        QCOMPARE(Work().Current.LastOpenedPath, std::string());
        QCOMPARE(Window().windowTitle(), QString("Kelvane by Dravik - Spell"));
    }

    void aFailingCommandShowsItsMessageAndTheProgramGoesOn() {
        Action("MenuItemSave")->setEnabled(true);
        Action("MenuItemSave")->trigger();
        QCOMPARE(Dialogs().Messages.size(), size_t{1});
        QCOMPARE(QString::fromStdString(Dialogs().Messages[0]), QString("DataSet not exists"));

        run_->OpenWithMenu(Dir().File("Missing.dbc"));
        QCOMPARE(Dialogs().Messages.size(), size_t{2});
        QVERIFY(QString::fromStdString(Dialogs().Messages[1]).startsWith("Cannot open file"));
        QCOMPARE(Dialogs().Errors, 2);  // shown as errors, not as notices
        QVERIFY(Window().isEnabled());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void rowsAddedAndDeletedThenSavedAndReloaded() {
        Window().OpenTableFile(WriteSpellSample(Dir()));
        Work().Table.MoveTo(2);
        Action("Addrow1")->trigger();
        QCOMPARE(Work().Table.State(), TableState::Insert);
        Work().Table.Fields(4).SetAsInteger(77);
        Action("MenuItemSave")->trigger();  // the save posts the record first
        Action("MenuItemReloadLastFile")->trigger();
        QCOMPARE(Work().Table.RecordCount(), 4);
        QCOMPARE(Work().Table.IntegerAt(3, 0), 3);
        QCOMPARE(Work().Table.IntegerAt(3, 4), 77);

        Work().Table.MoveTo(0);
        Dialogs().YesNoAnswers = {true, true};
        Action("DeleteRow1")->trigger();
        QCOMPARE(Work().Table.RecordCount(), 3);
        Action("MenuItemEmptytable")->trigger();
        QCOMPARE(Work().Table.RecordCount(), 0);
        QCOMPARE(Work().Table.FieldCount(), 5);
        QVERIFY(Dialogs().Messages.empty());
    }

    void saveAsWritesTheTableAndItsFieldDefinitions() {
        Window().OpenTableFile(WriteSpellSample(Dir()));
        Dialogs().FileAnswers.push_back(Dir().File("Copy.dbc"));
        Action("MenuItemSaveas")->trigger();
        QCOMPARE(Window().windowTitle(), QString("Kelvane by Dravik - Copy"));
        QVERIFY(Dir().Read("Copy.dbc") == SpellSample().Bytes());
        QVERIFY(Dir().Read("Copy.ini") == Dir().Read("Spell.ini"));
    }

    void newTablesAreNumberedAndOfferedForSaving() {
        AnswerNewDialog("3");
        Dialogs().FileAnswers.push_back(std::nullopt);
        Action("MenuItemNewTable")->trigger();
        QCOMPARE(Work().Table.FieldCount(), 4);
        QCOMPARE(Work().Table.ColumnName(3), std::string("2"));
        QCOMPARE(Window().windowTitle(), QString("Kelvane Custom1"));
        QCOMPARE(Dialogs().FileRequests.back().FileName, std::string("Custom1"));

        WriteSpellSample(Dir());
        AnswerNewDialog("", QString::fromStdString(Dir().File("Spell.ini")));
        Dialogs().FileAnswers.push_back(Dir().File("Custom2.dbc"));
        Action("MenuItemNewTable")->trigger();
        QCOMPARE(Window().windowTitle(), QString("Kelvane by Dravik - Custom2"));  // saved as
        QCOMPARE(Work().Table.ColumnName(2), std::string("Name"));
        QVERIFY(std::filesystem::exists(Dir().File("Custom2.dbc")));
        QVERIFY(Dir().Read("Custom2.ini") == Dir().Read("Spell.ini"));

        Modals().Scripts.push_back([](QDialog&) { return int{QDialog::Rejected}; });
        Action("MenuItemNewTable")->trigger();
        QCOMPARE(Work().Current.NewTableCounter, 3);
    }

    void fieldsRenamesAColumnAndReloadsTheTable() {
        Window().OpenTableFile(WriteSpellSample(Dir()));
        Modals().Scripts.push_back([](QDialog& dialog) {
            auto* grid = Child<QTableWidget>(dialog, "sg");
            if (grid->rowCount() != 4) {
                qWarning("the dialog shows %d field rows", grid->rowCount());
                return int{QDialog::Rejected};
            }
            grid->item(3, 1)->setText("Level");
            Child<QAbstractButton>(dialog, "BitBtn1")->click();
            return dialog.result();
        });
        Action("MenuItemFields")->trigger();
        QCOMPARE(Work().Table.ColumnName(4), std::string("Level"));
        QCOMPARE(Work().Table.RecordCount(), 3);
        QVERIFY(Dir().Read("Spell.ini").find("Field 3=Level") != std::string::npos);
    }

    // After a cancelled Open no table is shown: the dialog has no rows, and OK reloads the file
    // with the confirmed count of none, leaving its field definitions as they were.
    // A table named on the command line that could not be read leaves the table closed; the
    // file may be there by the time the field definitions are confirmed.
    void fieldsOnAClosedTableReloadsWithTheConfirmedCount() {
        run_->Restart({Dir().File("Spell.dbc")});
        Window().RunCommandLine();
        QCOMPARE(Dialogs().Messages.size(), size_t{1});
        Dialogs().Messages.clear();
        QVERIFY(!Work().Table.Active());
        WriteSpellSample(Dir());
        const std::string definitions = Dir().Read("Spell.ini");

        int rowsShown = -1;
        Modals().Scripts.push_back([&rowsShown](QDialog& dialog) {
            rowsShown = Child<QTableWidget>(dialog, "sg")->rowCount();
            Child<QAbstractButton>(dialog, "BitBtn1")->click();
            return dialog.result();
        });
        Action("MenuItemFields")->trigger();
        QCOMPARE(rowsShown, 0);
        QCOMPARE(Work().Current.ConfirmedFieldCount, 0);
        QCOMPARE(Work().Table.FieldCount(), 1);
        QCOMPARE(Work().Table.RecordCount(), 3);
        QVERIFY(Dir().Read("Spell.ini") == definitions);
    }

    void fieldsWithAutoReloadOffLeavesTheTableAlone() {
        Window().OpenTableFile(WriteSpellSample(Dir()));
        Action("MenuItemAutoreloadonfieldschange")->trigger();
        QVERIFY(!Action("MenuItemAutoreloadonfieldschange")->isChecked());
        Modals().Scripts.push_back([](QDialog& dialog) {
            Child<QTableWidget>(dialog, "sg")->item(3, 1)->setText("Level");
            Child<QAbstractButton>(dialog, "BitBtn1")->click();
            return dialog.result();
        });
        Action("MenuItemFields")->trigger();
        QCOMPARE(Work().Table.ColumnName(4), std::string("Rank"));
        QVERIFY(Dir().Read("Spell.ini").find("Field 3=Level") != std::string::npos);
    }

    void presetLoadRewritesTheDefinitionsAndReloads() {
        Window().OpenTableFile(WriteSpellSample(Dir()));
        PresetWindow& presets = App().Presets();
        Modals().Scripts.push_back([&presets](QDialog& dialog) {
            Child<QAbstractButton>(dialog, "SpeedButton1")->click();
            if (!presets.isVisible()) {
                qWarning("Load Preset did not show the preset window");
                return int{QDialog::Accepted};
            }
            ButtonWithText(presets, "Spell.dbc")->click();
            Child<QAbstractButton>(presets, "SpeedButton1")->click();
            return dialog.result();
        });
        // The sample's own definitions are replaced only once the user agrees.
        Dialogs().YesNoAnswers.push_back(true);
        Action("MenuItemFields")->trigger();
        QCOMPARE(Dialogs().Questions.size(), size_t{1});
        QVERIFY(!presets.isVisible());
        const Preset* spell = FindPreset("Spell.dbc");
        QVERIFY(Dir().Read("Spell.ini") == std::string(spell->Text));
        QCOMPARE(Work().Table.FieldCount(), 5);
        QCOMPARE(Work().Table.ColumnName(1), Work().Defs[0].Name);
        QCOMPARE(Work().Table.RecordCount(), 3);
    }

    void findSelectsTheMatchingCellAndSaysWhenNothingMatches() {
        Window().OpenTableFile(WriteSpellSample(Dir()));
        AnswerSearch("Frost");
        Action("Find1")->trigger();
        QCOMPARE(Work().Table.CurrentRow(), 1);
        QCOMPARE(GridCurrent(), Cell(1, 2));  // the name, not the first column

        QString shownValue;
        Modals().Scripts.push_back([&shownValue](QDialog& dialog) {
            shownValue = Child<QLineEdit>(dialog, "edValue")->text();
            Child<QLineEdit>(dialog, "edValue")->setText("absent");
            ButtonWithText(dialog, "&OK")->click();
            return dialog.result();
        });
        // Nothing matches: the dialog asks again with what was typed, until cancelled.
        QString askedAgainWith;
        Modals().Scripts.push_back([&askedAgainWith](QDialog& dialog) {
            askedAgainWith = Child<QLineEdit>(dialog, "edValue")->text();
            ButtonWithText(dialog, "&Cancel")->click();
            return dialog.result();
        });
        QTest::mouseClick(Child<QToolButton>(Window(), "SpeedButton1"), Qt::LeftButton);
        QCOMPARE(shownValue, QString("Frost"));
        QCOMPARE(Dialogs().Messages, std::vector<std::string>{"No record matches 'absent'."});
        QCOMPARE(askedAgainWith, QString("absent"));
        QCOMPARE(Work().Table.CurrentRow(), 1);
        QCOMPARE(GridCurrent(), Cell(1, 2));
    }

    void findNextGoesOnAfterTheCurrentRecordAndWrapsAround() {
        Window().OpenTableFile(WriteSpellSample(Dir()));
        QVERIFY(run_->ShowActive());
        QWidget& grid = Window().Grid();
        // Before any search F3 asks what to find; "F" stands in the names of records 0 and 1.
        AnswerSearch("F", "Find &Next");
        QTest::keyClick(&grid, Qt::Key_F3);
        QCOMPARE(Modals().Shown, std::vector<std::string>{"RecordSearchDialog"});
        QCOMPARE(GridCurrent(), Cell(1, 2));
        auto* result = Child<QLabel>(Window(), "CommandResultLabel");
        const QString wrapped =
            QStringLiteral("Find Next passed the last record and went on from the first.");
        QVERIFY(result->text() != wrapped);
        QTest::keyClick(&grid, Qt::Key_F3);
        QCOMPARE(GridCurrent(), Cell(0, 2));  // past the last record, on from the first
        QCOMPARE(result->text(), wrapped);
        Action("FindNext1")->trigger();
        QCOMPARE(GridCurrent(), Cell(1, 2));
        QCOMPARE(Modals().Shown.size(), size_t{1});

        AnswerSearch("absent");
        Modals().Scripts.push_back([](QDialog& dialog) { return dialog.result(); });  // closed
        Action("Find1")->trigger();
        QTest::keyClick(&grid, Qt::Key_F3);
        QCOMPARE(Dialogs().Messages, (std::vector<std::string>{"No record matches 'absent'.",
                                                               "No record matches 'absent'."}));
        QCOMPARE(Work().Table.CurrentRow(), 1);
    }

    void navigatorButtonsHandTheFocusBackToTheGrid() {
        Window().OpenTableFile(WriteSpellSample(Dir()));
        QVERIFY(run_->ShowActive());
        for (const char* name : {"NavLast", "NavPrior", "NavInsert", "NavCancel", "NavFirst"}) {
            QTest::mouseClick(Child<QToolButton>(Window(), name), Qt::LeftButton);
            QVERIFY2(QApplication::focusWidget() == &Window().Grid(), name);
        }
        // The grid takes the keys at once: Down goes to the next record.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(Work().Table.CurrentRow(), 1);
    }

    void textExportsWriteTheChosenFiles() {
        Window().OpenTableFile(WriteSpellSample(Dir()));
        Dialogs().FileAnswers.push_back(Dir().File("all.csv"));
        Action("MenuItemExporttotxt")->trigger();
        QCOMPARE(Dialogs().FileRequests.back().Title, std::string("Export to"));
        QCOMPARE(Dialogs().FileRequests.back().DefaultExtension, std::string("csv"));
        QCOMPARE(Dir().Read("all.csv"),
                 std::string("16,Fireball,1.5,-1\r\n255,\"Frost Nova\",0.100000001490116,7\r\n"
                             "0,,-2.25,0\r\n"));
        QCOMPARE(Work().Table.CurrentRow(), 0);  // the export leaves the user where they were

        Dialogs().FileAnswers.push_back(Dir().File("all.txt"));
        Action("ExportAll2")->trigger();
        QCOMPARE(Dialogs().FileRequests.back().Title, std::string("Export to Patchwell's format"));
        QVERIFY(Dir().Read("all.txt").starts_with("16:1=Fireball,2=1.5,3=-1\r\n"));
        QVERIFY(!Window().ExportProgressBar().isVisible());

        Work().Table.MoveTo(1);
        Action("Row2")->trigger();
        Action("Cell1")->trigger();  // no press on the grid yet: the Index cell
        Dialogs().FileAnswers.push_back(Dir().File("queue.txt"));
        Action("ExporttoFile1")->trigger();
        QCOMPARE(Dir().Read("queue.txt"),
                 std::string("255:1=Frost Nova,2=0.100000001490116,3=7\r\n255:-1=1\r\n"));
        QVERIFY(Dialogs().Messages.empty());
    }

    void importAppliesAPatchFileToTheOpenTable() {
        Window().OpenTableFile(WriteSpellSample(Dir()));
        Dir().Write("patch.txt", "255:3=9\r\n77:1=New\r\n");
        Dialogs().FileAnswers.push_back(Dir().File("patch.txt"));
        Action("ImportfromPatchwellsformat1")->trigger();
        QVERIFY(Dialogs().Messages.empty());
        QCOMPARE(Work().Table.State(), TableState::Insert);
        Action("MenuItemSave")->trigger();
        Action("MenuItemReloadLastFile")->trigger();
        QCOMPARE(Work().Table.RecordCount(), 4);
        QCOMPARE(Work().Table.IntegerAt(1, 4), 9);
        QCOMPARE(Work().Table.StringAt(3, 2), std::string_view("New"));
    }

    void scriptImportsAppendRecordsAndWriteLootFiles() {
        Window().OpenTableFile(WriteSpellSample(Dir()));
        Dir().Write("spells.scp", "[spell 500]\nName=Bolt\nRank=3\nSpeed=2.5\n");
        Dialogs().FileAnswers.push_back(Dir().File("spells.scp"));
        Action("MenuItemImportfromscp")->trigger();
        const FileDialogRequest& request = Dialogs().FileRequests.back();
        QCOMPARE(request.Title, std::string("Open scp file"));
        QCOMPARE(request.FileName, std::string());
        QCOMPARE(request.Filters.front().Pattern, std::string("*.scp"));
        QCOMPARE(Work().Table.RecordCount(), 4);
        QCOMPARE(Work().Table.CellText(3, 1), std::string("500"));
        QCOMPARE(Work().Table.StringAt(3, 2), std::string_view("Bolt"));
        QCOMPARE(Work().Table.IntegerAt(3, 4), 3);

        Dir().Write("loottemplates.scp",
                    "[loottemplate 42]\nloot=2589,50\n[loottemplate ../up]\nloot=1,1\n");
        Dialogs().FileAnswers.push_back(Dir().File("loottemplates.scp"));
        Action("MenuItemImportloottemplates")->trigger();
        QCOMPARE(Dialogs().FileRequests.back().FileName, std::string("loottemplates.scp"));
        QVERIFY(std::filesystem::exists(Dir().File("loottemplates/loott42.dbc")));
        QCOMPARE(Dialogs().Messages.size(), size_t{1});
        QVERIFY(QString::fromStdString(Dialogs().Messages[0]).contains("../up"));
        QCOMPARE(Work().Table.RecordCount(), 4);
    }

    void notesAndQueueWindowsOpenFromTheMenus() {
        Action("NotesForm1")->trigger();
        QVERIFY(App().Windows()[13]->isVisible());
        Action("ShowExportQueue1")->trigger();
        QVERIFY(App().Windows()[14]->isVisible());
    }

    // The desktop finds the menu entry by this name; the icon is drawn, not scaled, in each size.
    void windowsCarryTheProgramIconInEverySize() {
        QCOMPARE(QGuiApplication::desktopFileName(), QString("kelvane"));
        const QList<QSize> sizes = Window().windowIcon().availableSizes();
        for (const int side : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
            QVERIFY2(sizes.contains(QSize(side, side)), qPrintable(QString::number(side)));
        }
    }

    void exitClosesTheMainWindow() {
        Window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&Window()));
        Action("Exit1")->trigger();
        QVERIFY(!Window().isVisible());
    }

    void aboutShowsTheTitleWhatTheProgramIsAndItsQt() {
        QVERIFY(Child<QMenu>(Window(), "Help1")->actions().contains(Action("About1")));
        Action("About1")->trigger();
        QCOMPARE(Dialogs().Messages.size(), 1u);
        const QStringList lines = ToQt(Dialogs().Messages.front()).split('\n');
        QCOMPARE(lines.front(), "Kelvane by Dravik v" + ToQt(KelvaneVersion()));
        QVERIFY2(lines.filter("editor for DBC files").size() == 1, qPrintable(lines.join('|')));
        QCOMPARE(lines.back(), QString("Running on Qt %1.").arg(qVersion()));
    }
};

KELVANE_WINDOW_TEST(MainWindowTest);

}  // namespace kelvane::testing

#include "MainWindowTest.moc"
