#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "app/ui/DbGrid.h"
#include "app/ui/MainWindow.h"
#include "core/workspace/Workspace.h"
#include "tests/gui/support/GridClicks.h"
#include "tests/gui/support/RunningProgram.h"
#include "tests/gui/support/SpellSampleOnDisk.h"
#include "tests/gui/support/WidgetLookup.h"
#include "tests/gui/support/WindowTests.h"
#include "tests/support/DbcSamples.h"

namespace kelvane::testing {

constexpr int kNameColumn = 2;

// The SQLite entries of the Export and Import menus as a user meets them: the table goes out to
// a database file and comes back over an edit as one undo step; an existing database is written
// into only after asking; a file that is no database is named in a message.
class SqliteExchangeTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<RunningProgram> program_;

    MainWindow& Window() { return program_->App().MainWindow(); }
    RecordTable& Table() { return program_->App().Work().Table; }
    DbGrid& Grid() { return Window().Grid(); }
    QAction* Action(const char* name) { return Child<QAction>(Window(), name); }
    QString CommandResult() { return Child<QLabel>(Window(), "CommandResultLabel")->text(); }
    void TypeIntoCell(int row, int column, const QString& text) {
        ClickCell(Grid(), row, column);
        QTest::keyClick(&Grid(), Qt::Key_F2);
        auto* editor =
            qobject_cast<QLineEdit*>(Grid().indexWidget(Grid().model()->index(row, column)));
        QVERIFY(editor != nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        ClickCell(Grid(), row == 0 ? 1 : 0, column);  // leaving the record posts it
    }
    void ExportTo(const std::string& path) {
        program_->Dialogs.FileAnswers.push_back(path);
        Action("MenuItemExportSqlite")->trigger();
    }
    void ImportFrom(const std::string& path) {
        program_->Dialogs.FileAnswers.push_back(path);
        Action("MenuItemImportSqlite")->trigger();
    }

  private slots:
    void init() {
        program_ = std::make_unique<RunningProgram>();
        const std::string path = WriteSpellSample(program_->Dir);
        QVERIFY(!Action("MenuItemExportSqlite")->isEnabled());
        QVERIFY(!Action("MenuItemImportSqlite")->isEnabled());
        QVERIFY(program_->ShowActive());
        Window().OpenTableFile(path);
        Grid().setFocus();
    }

    void cleanup() {
        QCOMPARE(program_->Dialogs.Unanswered, std::vector<std::string>{});
        QCOMPARE(program_->Dialogs.Messages, std::vector<std::string>{});
        program_.reset();
    }

    void theTableGoesOutAndComesBackOverAnEditAsOneUndoStep() {
        const std::string database = program_->Dir.File("spells.db");
        ExportTo(database);
        QCOMPARE(CommandResult(), QString("Exported 3 records to table \"Spell\" of spells.db"));
        QCOMPARE(program_->Dialogs.FileRequests.back().FileName, std::string("Spell.db"));

        TypeIntoCell(0, kNameColumn, QStringLiteral("Ice Lance"));
        QCOMPARE(Table().StringAt(0, kNameColumn), std::string_view("Ice Lance"));

        ImportFrom(database);
        QCOMPARE(CommandResult(),
                 QString("Read 3 records from spells.db: changed 1, added 0, unchanged 2"));
        QCOMPARE(Table().StringAt(0, kNameColumn), std::string_view("Fireball"));
        QCOMPARE(Action("MenuItemUndo")->text(), QString("&Undo Import SQLite"));

        QTest::keyClick(&Grid(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Table().StringAt(0, kNameColumn), std::string_view("Ice Lance"));
    }

    void anExistingDatabaseIsWrittenIntoOnlyAfterAsking() {
        const std::string database = program_->Dir.File("spells.db");
        ExportTo(database);
        TypeIntoCell(0, kNameColumn, QStringLiteral("Ice Lance"));

        program_->Dialogs.YesNoAnswers.push_back(false);
        ExportTo(database);
        QCOMPARE(program_->Dialogs.Questions.back(),
                 std::string("spells.db already exists. Write the table \"Spell\" into it? A "
                             "table of that name there is replaced; the other tables stay as "
                             "they are. [Write / Cancel]"));
        ImportFrom(database);
        QCOMPARE(Table().StringAt(0, kNameColumn), std::string_view("Fireball"));

        TypeIntoCell(0, kNameColumn, QStringLiteral("Ice Lance"));
        program_->Dialogs.YesNoAnswers.push_back(true);
        ExportTo(database);
        TypeIntoCell(0, kNameColumn, QStringLiteral("Frost"));
        ImportFrom(database);
        QCOMPARE(Table().StringAt(0, kNameColumn), std::string_view("Ice Lance"));
    }

    // The open dialog offers to match by position; ticked, a table whose keys repeat comes back
    // from its own export unchanged, where by key the import is refused.
    void aTableWithRepeatedKeysComesBackByPositionWhenChosen() {
        const std::string path = program_->Dir.File("ItemSubClass.dbc");
        program_->Dir.Write("ItemSubClass.dbc", SubClassSample().Bytes());
        WriteFieldDefs(path, SubClassSampleFields());
        Window().OpenTableFile(path);
        const std::string database = program_->Dir.File("classes.db");
        ExportTo(database);

        ImportFrom(database);
        const FileDialogRequest& request = program_->Dialogs.FileRequests.back();
        QCOMPARE(request.CheckBoxes.size(), size_t{1});
        QCOMPARE(request.CheckBoxes[0].Label,
                 std::string("Match rows to records by position (row N changes record N)"));
        QVERIFY(!request.CheckBoxes[0].Checked);
        QCOMPARE(program_->Dialogs.Messages.size(), size_t{1});
        QVERIFY(program_->Dialogs.Messages[0].starts_with(
            database + ", table 'ItemSubClass', rowids 1, 2 and 3: the key '0' stands on each"));
        program_->Dialogs.Messages.clear();

        program_->Dialogs.CheckBoxAnswers.push_back(true);
        ImportFrom(database);
        QCOMPARE(CommandResult(),
                 QString("Read 5 records from classes.db: changed 0, added 0, unchanged 5"));
        QVERIFY(!program_->Dialogs.FileRequests.back().CheckBoxes[0].Checked);
        ImportFrom(database);  // the box opens ticked now, and the import is the same
        QVERIFY(program_->Dialogs.FileRequests.back().CheckBoxes[0].Checked);
        QVERIFY(!Window().windowTitle().endsWith('*'));
    }

    void aFileThatIsNoDatabaseIsNamedAndTheTableStays() {
        program_->Dir.Write("notes.db", "ID,Name\n16,Changed\n");
        ImportFrom(program_->Dir.File("notes.db"));
        QCOMPARE(program_->Dialogs.Messages,
                 std::vector<std::string>{"\"" + program_->Dir.File("notes.db") +
                                          "\" is not a SQLite database"});
        program_->Dialogs.Messages.clear();
        QCOMPARE(Table().StringAt(0, kNameColumn), std::string_view("Fireball"));
        QVERIFY(!Window().windowTitle().endsWith('*'));
    }
};

KELVANE_WINDOW_TEST(SqliteExchangeTest);

}  // namespace kelvane::testing

#include "SqliteExchangeTest.moc"
