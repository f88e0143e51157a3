#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <memory>

#include "app/EditorSession.h"
#include "app/FieldSettings.h"
#include "app/ui/FieldSettingsDialog.h"
#include "app/ui/NewTableDialog.h"
#include "app/ui/PresetWindow.h"
#include "core/definitions/FieldDefFile.h"
#include "core/definitions/Presets.h"
#include "core/table/Field.h"
#include "core/workspace/Workspace.h"
#include "shell/ui/QtText.h"
#include "tests/gui/support/WidgetLookup.h"
#include "tests/gui/support/WindowTests.h"
#include "tests/support/DbcSamples.h"
#include "tests/support/FieldDefsOnDisk.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {
namespace {

constexpr int kKindColumn = 2;
constexpr int kHexColumn = 3;
constexpr int kSizeColumn = 4;

void ClickCell(QTableWidget& grid, int row, int column) {
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                      grid.visualItemRect(grid.item(row, column)).center());
}

// Opens the drop-down list with the mouse and clicks the item with that text.
void ChooseWithMouse(QComboBox& list, const QString& text) {
    QTest::mouseClick(&list, Qt::LeftButton);
    QAbstractItemView* popup = list.view();
    QTRY_VERIFY(popup->isVisible());
    // The middle of the item's line: an item can be wider than the popup shows.
    const QPoint item(
        popup->viewport()->rect().center().x(),
        popup->visualRect(popup->model()->index(list.findText(text), 0)).center().y());
    QTest::mouseMove(popup->viewport(), item);
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, item);
}

}  // namespace

class FieldDialogsTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<Workspace> work_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<FieldSettingsDialog> fields_;

    QTableWidget& Grid() const { return *Child<QTableWidget>(*fields_, "sg"); }
    QComboBox& KindList() const { return *Child<QComboBox>(*fields_, "cbInplaceComboBox"); }
    QComboBox& HexList() const { return *Child<QComboBox>(*fields_, "hexbox"); }
    QComboBox& SizeList() const { return *Child<QComboBox>(*fields_, "sizebox"); }
    std::string IniText() const { return dir_->Read("Spell.ini"); }
    // What the Fields command does with the confirmed definitions once it goes ahead.
    void TakeOverConfirmed() { TakeOverFieldDefs(*work_, fields_->ConfirmedDefinitions()); }
    // On screen and active, so the focus moves as it does for a user.
    void ShowActive() {
        fields_->show();
        fields_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fields_.get()));
    }

  private slots:
    // A Spell table of three fields, its definitions in the workspace and beside its file.
    void init() {
        dir_ = std::make_unique<TempDir>();
        work_ = std::make_unique<Workspace>();
        dialogs_ = std::make_unique<ScriptedDialogs>();
        CurrentTable& current = work_->Current;
        current.FilePath = dir_->File("Spell.dbc");
        current.TableName = "Spell";
        current.LastOpenedPath = current.FilePath;
        WriteFieldDefs(current.FilePath, {{"ID", FieldKind::ftInteger, true},
                                          {"Name", FieldKind::ftString},
                                          {"Speed", FieldKind::ftFloat}});
        LoadFieldDefinitions(current, work_->Defs, 3);
        RecordTable& table = work_->Table;
        table.AddFieldDef("Index", FieldKind::ftInteger, true);
        table.AddFieldDef("ID", FieldKind::ftInteger, false);
        table.AddFieldDef("Name", FieldKind::ftString, false);
        table.AddFieldDef("Speed", FieldKind::ftFloat, false);
        table.OpenEmpty();
        fields_ = std::make_unique<FieldSettingsDialog>(*work_, *dialogs_);
    }

    void cleanup() {
        fields_.reset();
        dialogs_.reset();
        work_.reset();
        dir_.reset();
    }

    void showsOneRowPerFieldUnderTheHeader() {
        fields_->show();
        const QTableWidget& grid = Grid();

        QCOMPARE(fields_->windowTitle(), QString("Fields Settings"));
        QCOMPARE(grid.rowCount(), 3);
        QCOMPARE(grid.columnCount(), 5);
        QStringList headers;
        for (int column = 0; column < 5; ++column) {
            headers << grid.horizontalHeaderItem(column)->text();
            QCOMPARE(grid.columnWidth(column), (QList<int>{46, 352, 101, 79, 64}[column]));
        }
        QCOMPARE(headers, (QStringList{"Index", "Name", "Kind", "Hex", "Bits"}));
        QVERIFY(grid.horizontalHeader()->font().bold());
        QVERIFY(grid.verticalHeader()->isHidden());
        QCOMPARE(ColumnTexts(grid, 0), (QStringList{"0", "1", "2"}));
        QCOMPARE(ColumnTexts(grid, 1), (QStringList{"ID", "Name", "Speed"}));
        QCOMPARE(ColumnTexts(grid, 2), (QStringList{"ftInteger", "ftString", "ftFloat"}));
        QCOMPARE(ColumnTexts(grid, 3), (QStringList{"True", "False", "False"}));
        QCOMPARE(ColumnTexts(grid, 4), (QStringList{"auto", "auto", "auto"}));
        QVERIFY(grid.item(0, 0)->textAlignment() & Qt::AlignRight);
        QCOMPARE(grid.rowHeight(0), KindList().sizeHint().height());
    }

    // Guess answers in the dialog, also when the data fits the kinds already there.
    void guessSaysWhatItDid() {
        dir_->Write("Spell.dbc", SpellSample().Bytes());
        work_->LoadedFile = FileSnapshot::Take(work_->Current.FilePath);
        ShowActive();
        auto* result = Child<QLabel>(*fields_, "FillResult");
        QCOMPARE(result->text(), QString());

        QTest::mouseClick(Child<QPushButton>(*fields_, "GuessButton"), Qt::LeftButton);
        QCOMPARE(result->text(),
                 QStringLiteral("Guess: the data fits the kinds as they are; nothing changed."));

        ClickCell(Grid(), 2, kKindColumn);  // Speed, which the data says is a float
        ChooseWithMouse(*Child<QComboBox>(*fields_, "cbInplaceComboBox"), "ftInteger");
        QTest::mouseClick(Child<QPushButton>(*fields_, "GuessButton"), Qt::LeftButton);
        QCOMPARE(result->text(),
                 QStringLiteral("Guess changed 1 kind: 'Speed: ftFloat'. OK takes them over."));
        QCOMPARE(ColumnTexts(Grid(), 2), (QStringList{"ftInteger", "ftString", "ftFloat"}));

        // A guess that cannot be made says why and leaves the last answer standing.
        work_->LoadedFile.reset();
        QTest::mouseClick(Child<QPushButton>(*fields_, "GuessButton"), Qt::LeftButton);
        QCOMPARE(dialogs_->Messages.size(), size_t{1});
        QVERIFY(result->text().startsWith("Guess changed 1 kind"));
    }

    void isRefilledAtEveryShowing() {
        fields_->show();
        Grid().item(1, 1)->setText("Edited");
        QTest::mouseClick(Child<QPushButton>(*fields_, "BitBtn2"), Qt::LeftButton);
        QCOMPARE(fields_->result(), int(QDialog::Rejected));
        QVERIFY(fields_->isHidden());
        fields_->show();
        QCOMPARE(Grid().item(1, 1)->text(), QString("Name"));

        fields_->hide();
        work_->Table.Close();
        fields_->show();
        QCOMPARE(Grid().rowCount(), 0);
    }

    void dropDownListsCoverTheSelectedKindOrHexCell() {
        fields_->show();
        QTableWidget& grid = Grid();
        QComboBox& kinds = KindList();
        QComboBox& hexes = HexList();
        QCOMPARE(kinds.count(), 3);
        QCOMPARE(hexes.count(), 2);
        QVERIFY(kinds.isHidden() && hexes.isHidden());

        grid.setCurrentCell(1, kKindColumn);
        QVERIFY(kinds.isVisible());
        QVERIFY(hexes.isHidden());
        QCOMPARE(kinds.geometry(), grid.visualItemRect(grid.item(1, kKindColumn)));
        QCOMPARE(kinds.currentText(), QString("ftString"));
        QCOMPARE(fields_->focusWidget(), &kinds);

        QTest::keyClick(&kinds, Qt::Key_Down);  // the user picks "ftFloat"
        QCOMPARE(grid.item(1, kKindColumn)->text(), QString("ftFloat"));
        QVERIFY(kinds.isHidden());
        QCOMPARE(fields_->focusWidget(), &grid);

        grid.setCurrentCell(0, kHexColumn);
        QVERIFY(hexes.isVisible());
        QCOMPARE(hexes.currentText(), QString("True"));
        QTest::keyClick(&hexes, Qt::Key_Down);
        QCOMPARE(grid.item(0, kHexColumn)->text(), QString("False"));

        grid.setCurrentCell(2, kHexColumn);
        QVERIFY(hexes.isVisible());
        grid.setCurrentCell(2, 1);
        QVERIFY(kinds.isHidden() && hexes.isHidden());
    }

    void listsChosenByMouseWriteTheRowThatWasClicked() {
        ShowActive();
        QTableWidget& grid = Grid();
        const QStringList indexesBefore = ColumnTexts(grid, 0);
        struct Step {
            int Row;
            int Column;
            const char* List;
            const char* Choice;
        };
        for (const Step& step : {Step{0, kKindColumn, "cbInplaceComboBox", "ftFloat"},
                                 Step{1, kHexColumn, "hexbox", "True"},
                                 Step{1, kKindColumn, "cbInplaceComboBox", "ftInteger"},
                                 Step{2, kSizeColumn, "sizebox", "16"}}) {
            ClickCell(grid, step.Row, step.Column);
            QComboBox* list = Child<QComboBox>(*fields_, step.List);
            QVERIFY(list->isVisible());
            QCOMPARE(list->geometry(), grid.visualItemRect(grid.item(step.Row, step.Column)));
            ChooseWithMouse(*list, step.Choice);
            QVERIFY(list->isHidden());
            QCOMPARE(grid.item(step.Row, step.Column)->text(), QString(step.Choice));
        }
        QCOMPARE(ColumnTexts(grid, 0), indexesBefore);
        QCOMPARE(ColumnTexts(grid, kKindColumn), (QStringList{"ftFloat", "ftInteger", "ftFloat"}));
        QCOMPARE(ColumnTexts(grid, kHexColumn), (QStringList{"True", "True", "False"}));
        QCOMPARE(ColumnTexts(grid, kSizeColumn), (QStringList{"auto", "auto", "16"}));
    }

    void tabReachesOkAndCancelAndTheKeysCloseTheDialog() {
        ShowActive();
        QTableWidget& grid = Grid();
        ClickCell(grid, 1, 1);
        QList<QWidget*> reached;
        // Past Load Preset, From definitions and Guess.
        for (int step = 0; step < 6; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            reached << QApplication::focusWidget();
        }
        QVERIFY(reached.contains(Child<QPushButton>(*fields_, "BitBtn1")));
        QVERIFY(reached.contains(Child<QPushButton>(*fields_, "BitBtn2")));
        QVERIFY(Child<QPushButton>(*fields_, "BitBtn1")->isDefault());

        // Enter that ends typing into a cell stays with the cell.
        ClickCell(grid, 1, 1);
        QTest::keyClick(&grid, Qt::Key_F2);
        QTest::keyClicks(QApplication::focusWidget(), "Title");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(fields_->isVisible());
        QTRY_COMPARE(grid.item(1, 1)->text(), QString("Title"));  // the editor commits queued
        QVERIFY(fields_->isVisible());

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(fields_->isHidden());
        QCOMPARE(fields_->result(), int(QDialog::Rejected));
        QCOMPARE(work_->Defs[1].Name, std::string("Name"));

        ShowActive();
        ClickCell(Grid(), 0, 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(fields_->isHidden());
        QCOMPARE(fields_->result(), int(QDialog::Accepted));
        QCOMPARE(fields_->ConfirmedDefinitions().size(), size_t{3});
    }

    // A kind, a Hex flag or a size is chosen from its list: keys typed on such a cell, or into
    // its list, write nothing the list does not offer.
    void listCellsTakeNoTypedText() {
        ShowActive();
        QTableWidget& grid = Grid();
        const struct {
            int Column;
            const char* Choice;
        } cells[] = {{kKindColumn, "ftFloat"}, {kHexColumn, "True"}, {kSizeColumn, "16"}};
        for (const auto& [column, choice] : cells) {
            const QString before = grid.item(1, column)->text();
            ClickCell(grid, 1, column);
            auto* list = qobject_cast<QComboBox*>(QApplication::focusWidget());
            QVERIFY(list != nullptr && list->isVisible());
            QVERIFY(!list->isEditable());
            QTest::keyClicks(list, "banana");
            QCOMPARE(grid.item(1, column)->text(), before);

            // Once a choice is made, the keys go to the grid on the same cell.
            ChooseWithMouse(*list, choice);
            QTRY_COMPARE(QApplication::focusWidget(), &grid);
            QCOMPARE(grid.currentColumn(), column);
            QTest::keyClick(&grid, Qt::Key_F2);
            QTest::keyClicks(&grid, "banana");
            QCOMPARE(grid.findChildren<QLineEdit*>().size(), qsizetype{0});
            QCOMPARE(grid.item(1, column)->text(), QString(choice));
        }
        QTest::mouseClick(Child<QPushButton>(*fields_, "BitBtn1"), Qt::LeftButton);
        QVERIFY(dialogs_->Messages.empty());
        QCOMPARE(fields_->ConfirmedDefinitions()[1].KindText, std::string("ftFloat"));
        QCOMPARE(fields_->ConfirmedDefinitions()[1].Bits, 16);
    }

    void aSizePickedFromItsListIsWrittenWithTheOthersAt32Bits() {
        fields_->show();
        QTableWidget& grid = Grid();
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                          grid.visualItemRect(grid.item(2, kSizeColumn)).center());
        QComboBox& sizes = SizeList();
        QVERIFY(sizes.isVisible());
        QCOMPARE(sizes.currentText(), QString("auto"));
        QTest::keyClick(&sizes, Qt::Key_End);  // the last choice, "8"
        QCOMPARE(grid.item(2, kSizeColumn)->text(), QString("8"));
        QTest::mouseClick(Child<QPushButton>(*fields_, "BitBtn1"), Qt::LeftButton);
        TakeOverConfirmed();

        QVERIFY(dialogs_->Messages.empty());
        QCOMPARE(work_->Defs[2].Bits, 8);
        QCOMPARE(work_->Defs[0].Bits, 0);
        QVERIFY(IniText().find("[Field size]\r\nField 0=32\r\nField 1=32\r\nField 2=8\r\n") !=
                std::string::npos);
    }

    void aSizeThatIsNoSizeIsReported() {
        fields_->show();
        Grid().item(1, kSizeColumn)->setText("12");
        QTest::mouseClick(Child<QPushButton>(*fields_, "BitBtn1"), Qt::LeftButton);

        QCOMPARE(dialogs_->Messages.size(), size_t{1});
        QVERIFY(dialogs_->Messages[0].starts_with("Field 1: '12' is not a field size"));
        QVERIFY(fields_->isVisible());
        QCOMPARE(IniText().find("[Field size]"), std::string::npos);
    }

    void scrollingHidesOnlyTheKindList() {
        RecordTable& table = work_->Table;
        table.Close();
        table.ClearFieldDefs();
        table.AddFieldDef("Index", FieldKind::ftInteger, true);
        for (int field = 0; field < 60; ++field) {
            table.AddFieldDef(std::to_string(field), FieldKind::ftInteger, false);
        }
        table.OpenEmpty();
        fields_->show();
        QTableWidget& grid = Grid();
        QScrollBar* bar = grid.verticalScrollBar();
        QTRY_VERIFY(bar->maximum() > 0);  // the view lays its rows out from the event loop

        grid.setCurrentCell(0, kHexColumn);
        bar->setValue(1);
        QVERIFY(HexList().isVisible());

        bar->setValue(0);
        grid.setCurrentCell(0, kKindColumn);
        QVERIFY(KindList().isVisible());
        bar->setValue(1);
        QVERIFY(KindList().isHidden());
    }

    // OK gives the definitions the rows make; they are taken over, and the file written, by
    // the command once it goes ahead.
    void okGivesTheRowsAsDefinitionsAndWritesNothing() {
        const std::string before = IniText();
        fields_->show();
        QTableWidget& grid = Grid();
        grid.item(1, 1)->setText("Title");
        grid.item(2, kHexColumn)->setText("true");
        QTest::mouseClick(Child<QPushButton>(*fields_, "BitBtn1"), Qt::LeftButton);

        QCOMPARE(fields_->result(), int(QDialog::Accepted));
        QVERIFY(dialogs_->Messages.empty());
        const std::vector<FieldDef>& confirmed = fields_->ConfirmedDefinitions();
        QCOMPARE(confirmed.size(), size_t{3});
        QCOMPARE(confirmed[1].Name, std::string("Title"));
        QVERIFY(confirmed[2].Hex);
        QCOMPARE(work_->Defs[1].Name, std::string("Name"));
        QCOMPARE(IniText(), before);
        const QProgressBar* progress = Child<QProgressBar>(*fields_, "ProgressBar1");
        QCOMPARE(progress->value(), 3);
        QCOMPARE(progress->maximum(), 3);

        TakeOverConfirmed();
        QCOMPARE(work_->Defs[1].Name, std::string("Title"));
        QCOMPARE(work_->Current.ConfirmedFieldCount, 3);
        QVERIFY(IniText().find("Field 1=Title") != std::string::npos);
    }

    void aBadCellIsReportedAndKeepsTheDialogOpen() {
        const std::string before = IniText();
        fields_->show();
        QTableWidget& grid = Grid();
        grid.item(0, 1)->setText("NewId");
        grid.item(1, kKindColumn)->setText("ftInteger");
        grid.item(1, kHexColumn)->setText("maybe");
        QTest::mouseClick(Child<QPushButton>(*fields_, "BitBtn1"), Qt::LeftButton);

        QCOMPARE(dialogs_->Messages,
                 (std::vector<std::string>{"Field 1: 'maybe' is not a valid boolean value. "
                                           "Nothing was taken over."}));
        QVERIFY(fields_->isVisible());
        QCOMPARE(work_->Defs[0].Name, std::string("ID"));
        QCOMPARE(IniText(), before);

        // Mended, the rows are confirmed.
        grid.item(1, kHexColumn)->setText("False");
        QTest::mouseClick(Child<QPushButton>(*fields_, "BitBtn1"), Qt::LeftButton);
        QCOMPARE(fields_->result(), int(QDialog::Accepted));
        QCOMPARE(fields_->ConfirmedDefinitions()[0].Name, std::string("NewId"));
        QCOMPARE(fields_->ConfirmedDefinitions()[1].Kind, FieldKind::ftInteger);
    }

    void cancelLeavesDefinitionsAndFile() {
        const std::string before = IniText();
        fields_->show();
        Grid().item(0, 1)->setText("Changed");
        QTest::mouseClick(Child<QPushButton>(*fields_, "BitBtn2"), Qt::LeftButton);

        QCOMPARE(fields_->result(), int(QDialog::Rejected));
        QCOMPARE(work_->Defs[0].Name, std::string("ID"));
        QCOMPARE(IniText(), before);
    }

    void loadPresetAsksForThePresetWindow() {
        QSignalSpy requested(fields_.get(), &FieldSettingsDialog::LoadPresetRequested);
        fields_->show();
        QTest::mouseClick(Child<QPushButton>(*fields_, "SpeedButton1"), Qt::LeftButton);
        QCOMPARE(requested.count(), 1);
        QVERIFY(fields_->isVisible());
    }

    void presetLoadWithoutChoiceDoesNothing() {
        int loads = 0;
        PresetWindow presets(*dialogs_, *fields_, [&](const Preset&) { return ++loads > 0; });
        fields_->show();
        presets.show();
        QCOMPARE(presets.windowTitle(), QString("Load Preset"));
        const auto choices =
            Child<QGroupBox>(presets, "RadioGroup1")->findChildren<QRadioButton*>();
        QCOMPARE(choices.size(), qsizetype(PresetTable().size()));
        QCOMPARE(choices.front()->text(), QString("Spell.dbc"));
        QCOMPARE(choices.back()->text(), QString("AreaTrigger.dbc"));
        QVERIFY(presets.SelectedPreset() == nullptr);

        QTest::mouseClick(Child<QPushButton>(presets, "SpeedButton1"), Qt::LeftButton);
        QVERIFY(presets.isVisible());
        QVERIFY(fields_->isVisible());
        QCOMPARE(loads, 0);

        QTest::mouseClick(Child<QPushButton>(presets, "SpeedButton2"), Qt::LeftButton);
        QVERIFY(presets.isHidden());
        QVERIFY(fields_->isVisible());
    }

    // The load is the command's; once it went ahead both windows close, the Fields dialog as
    // cancelled. A load the user cancelled leaves both open.
    void presetLoadHandsTheChoiceOnAndClosesBothWindowsWhenItWentAhead() {
        std::vector<const Preset*> loaded;
        bool goesAhead = false;
        PresetWindow presets(*dialogs_, *fields_, [&](const Preset& preset) {
            loaded.push_back(&preset);
            return goesAhead;
        });
        fields_->show();
        presets.show();
        const auto choices =
            Child<QGroupBox>(presets, "RadioGroup1")->findChildren<QRadioButton*>();
        QTest::mouseClick(choices[4], Qt::LeftButton);  // TaxiPath.dbc
        QCOMPARE(presets.SelectedPreset(), FindPreset("TaxiPath.dbc"));

        QTest::mouseClick(Child<QPushButton>(presets, "SpeedButton1"), Qt::LeftButton);
        QVERIFY(presets.isVisible());
        QVERIFY(fields_->isVisible());

        goesAhead = true;
        QTest::mouseClick(Child<QPushButton>(presets, "SpeedButton1"), Qt::LeftButton);
        QCOMPARE(loaded, (std::vector<const Preset*>(2, FindPreset("TaxiPath.dbc"))));
        QVERIFY(presets.isHidden());
        QVERIFY(fields_->isHidden());
        QCOMPARE(fields_->result(), int(QDialog::Rejected));
        QVERIFY(dialogs_->Messages.empty());
    }

    void presetThatCannotBeWrittenIsReportedAndStops() {
        work_->Current.LastOpenedPath = dir_->File("missing/Spell.dbc");
        CountingFeedback feedback;
        EditorSession session(*work_, *dialogs_, feedback);
        PresetWindow presets(*dialogs_, *fields_,
                             [&](const Preset& preset) { return session.LoadPreset(preset); });
        fields_->show();
        presets.show();
        Child<QGroupBox>(presets, "RadioGroup1")->findChildren<QRadioButton*>().front()->click();

        QTest::mouseClick(Child<QPushButton>(presets, "SpeedButton1"), Qt::LeftButton);
        QCOMPARE(dialogs_->Messages.size(), size_t(1));
        QVERIFY(dialogs_->Messages[0].starts_with("Cannot create file \"" +
                                                  dir_->File("missing/Spell.ini") + "\". "));
        QVERIFY(presets.isVisible());
        QVERIFY(fields_->isVisible());
        QCOMPARE(feedback.Loads, 0);
    }

    void newTableDialogStartsEmptyAndKeepsWhatWasEntered() {
        NewTableDialog dialog(*dialogs_);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QString("Please enter fields count"));
        QCOMPARE(dialog.size(), QSize(407, 153));
        auto* group = Child<QGroupBox>(dialog, "RadioGroupCreateKind");
        QVERIFY(group->isAncestorOf(dialog.focusWidget()));
        NewTableRequest request = dialog.Request();
        QCOMPARE(request.From, NewTableRequest::Source::FieldCount);
        QCOMPARE(request.FieldCountText, std::string("     "));
        QCOMPARE(request.FieldDefFilePath, std::string());

        auto* count = Child<QLineEdit>(dialog, "MaskEditFCount");
        count->setFocus();
        count->setCursorPosition(0);
        QTest::keyClicks(count, "12x3");  // the mask takes digits only
        QCOMPARE(dialog.Request().FieldCountText, std::string("123  "));
        QTest::mouseClick(Child<QPushButton>(dialog, "BitBtn1"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));

        dialog.show();
        QCOMPARE(dialog.Request().FieldCountText, std::string("123  "));
        QVERIFY(dialog.close());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void newTableDialogTakesTheTypedCountAndEnterOrCancel() {
        NewTableDialog dialog(*dialogs_);
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* count = Child<QLineEdit>(dialog, "MaskEditFCount");
        QCOMPARE(QApplication::focusWidget(), count);
        QTest::keyClicks(QApplication::focusWidget(), "5");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(dialog.isHidden());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Request().FieldCountText, std::string("5    "));

        // Opened again, what is typed replaces the count left from before.
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QTest::keyClicks(QApplication::focusWidget(), "12");
        QCOMPARE(dialog.Request().FieldCountText, std::string("12   "));
        QTest::mouseClick(Child<QPushButton>(dialog, "BitBtn2"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(dialog.isHidden());
    }

    void newTableDialogCountIsReadByTheNewCommand() {
        NewTableDialog dialog(*dialogs_);
        dialog.show();
        auto* count = Child<QLineEdit>(dialog, "MaskEditFCount");
        count->setCursorPosition(2);
        QTest::keyClicks(count, "3");
        CountingFeedback feedback;
        EditorSession session(*work_, *dialogs_, feedback);
        dialogs_->FileAnswers.push_back(std::nullopt);  // the Save as offered after New
        session.NewTable(dialog.Request());
        QCOMPARE(work_->Table.FieldCount(), 4);
    }

    void newTableDialogBrowsesForTheDefinitionsFile() {
        NewTableDialog dialog(*dialogs_);
        dialog.show();
        Child<QGroupBox>(dialog, "RadioGroupCreateKind")
            ->findChildren<QRadioButton*>()
            .back()
            ->click();
        auto* browse = Child<QPushButton>(dialog, "ButtonBrowseIni");
        dialogs_->FileAnswers.push_back("/defs/Spell.ini");
        QTest::mouseClick(browse, Qt::LeftButton);
        dialogs_->FileAnswers.push_back(std::nullopt);
        QTest::mouseClick(browse, Qt::LeftButton);

        QCOMPARE(dialogs_->FileRequests.size(), size_t(2));
        const FileDialogRequest& asked = dialogs_->FileRequests[0];
        QCOMPARE(asked.Title, std::string("Ini file with field defs"));
        QCOMPARE(asked.Filters.size(), size_t(2));
        QCOMPARE(asked.Filters[0].Name + asked.Filters[0].Pattern, std::string("*.ini*.ini"));
        QCOMPARE(asked.Filters[1].Name + asked.Filters[1].Pattern, std::string("*.**.*"));
        const NewTableRequest request = dialog.Request();
        QCOMPARE(request.From, NewTableRequest::Source::FieldDefFile);
        QCOMPARE(request.FieldDefFilePath, std::string("/defs/Spell.ini"));
        QCOMPARE(Child<QLineEdit>(dialog, "EditIniFName")->text(), QString("/defs/Spell.ini"));
    }
};

KELVANE_WINDOW_TEST(FieldDialogsTest);

}  // namespace kelvane::testing

#include "FieldDialogsTest.moc"
