#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <memory>
#include <string>

#include "app/ui/DbGrid.h"
#include "app/ui/MainWindow.h"
#include "core/workspace/Workspace.h"
#include "core/workspace/WorkspaceFiles.h"
#include "tests/gui/support/FieldsDialogKeys.h"
#include "tests/gui/support/RunningProgram.h"
#include "tests/gui/support/SpellSampleOnDisk.h"
#include "tests/gui/support/WidgetLookup.h"
#include "tests/gui/support/WindowTests.h"
#include "tests/support/DbcSamples.h"

namespace kelvane::testing {

// A table made with File > New has no file until the user chooses one: its first save asks
// where, and nothing is read or written where the user did not say, neither beside the table
// opened before nor in the working folder.
class NewTableSaveTest : public QObject {
    Q_OBJECT

  private:
    static constexpr char kOthersFile[] = "a table of someone else's";

    std::unique_ptr<RunningProgram> program_;

    MainWindow& Window() { return program_->App().MainWindow(); }
    RecordTable& Table() { return program_->App().Work().Table; }
    DbGrid& Grid() { return Window().Grid(); }
    ScriptedDialogs& Dialogs() { return program_->Dialogs; }
    TempDir& Dir() { return program_->Dir; }
    QAction* Action(const char* name) { return Child<QAction>(Window(), name); }
    bool TitleMarked() { return Window().windowTitle().endsWith('*'); }

    // Where the editor used to write a new table: beside the table opened last, or in the
    // working folder.
    bool GuessedFilesWritten() {
        for (const char* name : {"Custom1.dbc", "Custom1.ini"}) {
            if (std::filesystem::exists(name)) {
                return true;
            }
        }
        return Dir().Read("Custom1.dbc") != kOthersFile ||
               std::filesystem::exists(Dir().File("Custom1.ini"));
    }

    // File > New with three integer fields, "Save as" closed with Escape, then a record added
    // from the pop-up menu with 5 typed into field 0.
    void MakeNewTableWithARecord() {
        program_->Modals.Scripts.push_back([](QDialog& dialog) {
            ButtonWithText(dialog, "empty (enter field count)")->click();
            auto* count = Child<QLineEdit>(dialog, "MaskEditFCount");
            count->setFocus();
            QTest::keyClicks(count, "3");
            QTest::mouseClick(Child<QAbstractButton>(dialog, "BitBtn1"), Qt::LeftButton);
            return dialog.result();
        });
        Dialogs().FileAnswers.push_back(std::nullopt);
        Action("MenuItemNewTable")->trigger();
        QCOMPARE(Window().windowTitle(), QString("Kelvane Custom1"));
        Action("Addrow1")->trigger();
        const QModelIndex field0 = Grid().model()->index(0, 1);
        QTest::mouseClick(Grid().viewport(), Qt::LeftButton, Qt::NoModifier,
                          Grid().visualRect(field0).center());
        QTest::keyClicks(&Grid(), "5");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::mouseClick(Child<QToolButton>(Window(), "NavPost"), Qt::LeftButton);
        QCOMPARE(Table().RecordCount(), 1);
        QCOMPARE(Table().IntegerAt(0, 1), 5);
    }

    // The first record's field 0 in the file, read as the editor reads it.
    int Field0OnDisk(const std::string& path) {
        Workspace disk;
        disk.Current.FilePath = path;
        disk.Current.TableName = "Mine";
        LoadDbcFile(disk, path, true, 0);
        return disk.Table.IntegerAt(0, 1);
    }

  private slots:
    void init() {
        program_ = std::make_unique<RunningProgram>();
        const std::string spell = WriteSpellSample(Dir());
        Dir().Write("Custom1.dbc", kOthersFile);
        Window().OpenTableFile(spell);
        QVERIFY(program_->ShowActive());
    }

    void cleanup() {
        QCOMPARE(Dialogs().Unanswered, std::vector<std::string>{});
        QCOMPARE(program_->Modals.Unanswered, std::vector<std::string>{});
        program_.reset();
    }

    void theFirstSaveAsksWhereAndACancelWritesNothing() {
        MakeNewTableWithARecord();
        QVERIFY(TitleMarked());
        const size_t asked = Dialogs().FileRequests.size();

        Dialogs().FileAnswers.push_back(std::nullopt);
        QTest::keyClick(&Grid(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(Dialogs().FileRequests.size(), asked + 1);
        const FileDialogRequest& request = Dialogs().FileRequests.back();
        QCOMPARE(request.Title, std::string("Save as"));
        QCOMPARE(request.FileName, std::string("Custom1"));
        QVERIFY(request.ConfirmOverwrite);
        QVERIFY(!GuessedFilesWritten());
        QCOMPARE(Dialogs().Messages, std::vector<std::string>{});
        QCOMPARE(Window().windowTitle(), QString("Kelvane Custom1*"));

        const std::string mine = Dir().File("Mine.dbc");
        Dialogs().FileAnswers.push_back(mine);
        QTest::keyClick(&Grid(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(Field0OnDisk(mine), 5);
        QVERIFY(std::filesystem::exists(Dir().File("Mine.ini")));
        QCOMPARE(Window().windowTitle(), QString("Kelvane by Dravik - Mine"));
        QVERIFY(Action("MenuItemReloadLastFile")->isEnabled());
        QVERIFY(!GuessedFilesWritten());

        // From now on the table has its file: Save asks no more.
        QTest::keyClick(&Grid(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(Dialogs().FileRequests.size(), asked + 2);
    }

    // A table never saved has no file to read again, and its records are unsaved work: closing
    // asks, and a Save the user does not finish keeps the window open.
    void aTableNeverSavedHasNothingToReloadAndClosingAsks() {
        MakeNewTableWithARecord();
        QVERIFY(!Action("MenuItemReloadLastFile")->isEnabled());
        QTest::keyClick(&Grid(), Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(Table().RecordCount(), 1);

        Dialogs().SaveChangesAnswers = {UnsavedChangesAnswer::Cancel, UnsavedChangesAnswer::Save,
                                        UnsavedChangesAnswer::Discard};
        Dialogs().FileAnswers.push_back(std::nullopt);
        for (int attempt = 0; attempt < 2; ++attempt) {
            Window().close();
            QVERIFY(Window().isVisible());
        }
        Window().close();
        QVERIFY(!Window().isVisible());
        QCOMPARE(
            Dialogs().SaveChangesQuestions,
            std::vector<std::string>(3, "Custom1 has changes that are not saved.\n\nSave them?"));
        QVERIFY(!GuessedFilesWritten());
    }

    // The Fields dialog renames the columns of a table never saved without writing a
    // field-definition file anywhere, and keeps its records: the file comes with the first save.
    void fieldsOnATableNeverSavedWriteNoFileUntilItIsSaved() {
        MakeNewTableWithARecord();
        program_->Modals.Scripts.push_back(
            [](QDialog& dialog) { return RenameFieldAndConfirm(dialog, 1, "Level"); });
        Action("MenuItemFields")->trigger();

        QCOMPARE(Dialogs().SaveChangesQuestions, std::vector<std::string>{});
        QCOMPARE(Table().ColumnName(2), std::string("Level"));
        QCOMPARE(Table().RecordCount(), 1);
        QCOMPARE(Table().IntegerAt(0, 1), 5);
        QVERIFY(TitleMarked());
        QVERIFY(!GuessedFilesWritten());

        Dialogs().FileAnswers.push_back(Dir().File("Mine.dbc"));
        QTest::keyClick(&Grid(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(Dir().Read("Mine.ini").find("Field 1=Level") != std::string::npos);
    }
};

KELVANE_WINDOW_TEST(NewTableSaveTest);

}  // namespace kelvane::testing

#include "NewTableSaveTest.moc"
