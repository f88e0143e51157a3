#include "core/table/Field.h"
#include "databases/SqliteExport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/base/KelvaneError.h"
#include "core/workspace/Workspace.h"
#include "tests/databases/SqliteTestFiles.h"
#include "tests/exchange/ExchangeTables.h"
#include "tests/support/MessageOf.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::AddRecord;
using testing::BuildTable;
using testing::MakeDatabase;
using testing::MessageOf;
using testing::OpenSpellTable;
using testing::QuotedRows;
using Rows = std::vector<std::vector<std::string>>;

class SqliteExportTest : public ::testing::Test {
  protected:
    void SetUp() override { OpenSpellTable(*work); }

    std::string ExportedFile() const { return dir.File("out.db"); }
    Rows Columns() const {
        return QuotedRows(ExportedFile(),
                          "SELECT name, type, pk FROM pragma_table_info('Spell') ORDER BY cid");
    }
    Rows Cells() const {
        return QuotedRows(ExportedFile(),
                          "SELECT quote(ID), quote(Name), quote(Speed), quote(Flags) FROM Spell "
                          "ORDER BY rowid");
    }

    testing::TempDir dir;
    std::unique_ptr<Workspace> work = std::make_unique<Workspace>();
};

TEST_F(SqliteExportTest, WritesAColumnPerFieldWithItsAffinityAndBlanksAsNull) {
    AddRecord(work->Table, {"12", "Fire \"Ball\"\r\nline 2", "1.5", "-1"});
    AddRecord(work->Table, {"7", "", "", ""});
    work->Table.MoveTo(1);
    work->Table.Edit();
    work->Table.Fields(2).Clear();  // a blank text, not an empty one
    work->Table.Post();

    const SqliteExportReport report = ExportSqlite(*work, ExportedFile());

    EXPECT_EQ(report.Records, 2);
    EXPECT_TRUE(report.KeyIsPrimary);
    EXPECT_EQ(Columns(), (Rows{{"ID", "INTEGER", "1"},
                               {"Name", "TEXT", "0"},
                               {"Speed", "REAL", "0"},
                               {"Flags", "INTEGER", "0"}}));
    // In table order; the key is the rowid, so this is also key order here.
    EXPECT_EQ(Cells(), (Rows{{"7", "NULL", "NULL", "NULL"},
                             {"12", "'Fire \"Ball\"\r\nline 2'", "1.5", "-1"}}));
}

TEST_F(SqliteExportTest, ARepeatedOrBlankKeyIsNoPrimaryKeyAndEveryRecordIsWritten) {
    for (const std::vector<std::string>& keys :
         {std::vector<std::string>{"5", "5"}, std::vector<std::string>{"5", ""}}) {
        work->Table.DeleteAllRecords();
        for (const std::string& key : keys) {
            AddRecord(work->Table, {key, "x", "0", "0"});
        }
        const SqliteExportReport report = ExportSqlite(*work, ExportedFile());

        EXPECT_FALSE(report.KeyIsPrimary);
        EXPECT_EQ(Columns()[0], (std::vector<std::string>{"ID", "INTEGER", "0"}));
        EXPECT_EQ(Cells().size(), 2u);
    }
}

TEST_F(SqliteExportTest, AnExistingDatabaseKeepsItsOtherTablesAndLosesTheOldTable) {
    MakeDatabase(ExportedFile(),
                 "CREATE TABLE Other (x TEXT); INSERT INTO Other VALUES ('kept');"
                 "CREATE TABLE spell (Old INTEGER); INSERT INTO spell VALUES (1), (2);"
                 "CREATE INDEX OldIndex ON spell (Old);");
    AddRecord(work->Table, {"3", "New", "2", "4"});

    ExportSqlite(*work, ExportedFile());

    EXPECT_EQ(QuotedRows(ExportedFile(), "SELECT quote(x) FROM Other"), (Rows{{"'kept'"}}));
    EXPECT_EQ(Columns().size(), 4u);
    EXPECT_EQ(Cells(), (Rows{{"3", "'New'", "2.0", "4"}}));
    EXPECT_EQ(QuotedRows(ExportedFile(), "SELECT name FROM sqlite_master WHERE type = 'index'"),
              Rows{});
}

// Two NaN keys pass for distinct, as NaN equals nothing, but the database holds both as 'NAN'
// and refuses the second after the old table is dropped: the whole change must go.
TEST_F(SqliteExportTest, AFailureLeavesAnExistingDatabaseAsItWasAndMakesNoNewFile) {
    BuildTable(work->Table, {{"Key", FieldKind::ftFloat}});
    AddRecord(work->Table, {"NAN"});
    AddRecord(work->Table, {"NAN"});
    MakeDatabase(ExportedFile(), "CREATE TABLE Spell (Old INTEGER); INSERT INTO Spell VALUES (1);");
    const std::string before = dir.Read("out.db");

    try {
        ExportSqlite(*work, ExportedFile());
        FAIL() << "exported";
    } catch (const KelvaneError& error) {
        EXPECT_NE(std::string(error.what()).find(ExportedFile() + ": UNIQUE constraint failed"),
                  std::string::npos)
            << error.what();
    }
    EXPECT_EQ(dir.Read("out.db"), before);

    EXPECT_THROW(ExportSqlite(*work, dir.File("new.db")), KelvaneError);
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        files.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(files, std::vector<std::string>{"out.db"});
}

TEST_F(SqliteExportTest, AFileThatIsNoDatabaseIsRefusedAndKept) {
    dir.Write("out.db", "ID,Name\n1,Fire\n");
    AddRecord(work->Table, {"1", "Fire", "0", "0"});

    try {
        ExportSqlite(*work, ExportedFile());
        FAIL() << "exported";
    } catch (const KelvaneError& error) {
        EXPECT_EQ(std::string(error.what()), "\"" + ExportedFile() + "\" is not a SQLite database");
    }
    EXPECT_EQ(dir.Read("out.db"), "ID,Name\n1,Fire\n");
}

// SQLite would open a named pipe and wait for a writer for ever.
TEST_F(SqliteExportTest, ANamedPipeOrAFolderIsRefusedWithoutWaiting) {
    ASSERT_EQ(::mkfifo(dir.File("pipe.db").c_str(), 0600), 0);
    EXPECT_THROW(ExportSqlite(*work, dir.File("pipe.db")), KelvaneError);
    EXPECT_THROW(ExportSqlite(*work, dir.Path()), KelvaneError);
}

// A database saved through another name or in place keeps its other tables, whichever way the
// target is reached.
TEST_F(SqliteExportTest, AnExistingDatabaseIsReplacedWholeKeepingItsOtherTables) {
    AddRecord(work->Table, {"3", "New", "2", "4"});
    const std::string longName = std::string(252, 'd') + ".db";
    const struct {
        const char* Case;
        std::string Database;  // made with an Other table
        std::string Target;    // given to the export
        const char* JournalMode;
    } cases[] = {
        {"in place", "a.db", "a.db", "delete"},
        {"through a symbolic link", "b.db", "link.db", "delete"},
        {"of a 255-byte name", longName, longName, "delete"},
        {"with a write-ahead log", "w.db", "w.db", "wal"},
    };
    ASSERT_EQ(::symlink("b.db", dir.File("link.db").c_str()), 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        // Made under a short name: SQLite cannot journal a change of a 255-byte name itself.
        MakeDatabase(dir.File("made.db"),
                     std::string("PRAGMA journal_mode=") + c.JournalMode +
                         "; CREATE TABLE Other (x TEXT); INSERT INTO Other VALUES ('kept');"
                         "CREATE TABLE Spell (Old INTEGER);");
        std::filesystem::rename(dir.File("made.db"), dir.File(c.Database));

        ExportSqlite(*work, dir.File(c.Target));

        // Nothing is left beside the database: no temporary file, journal or log (looked at
        // before the checks below, whose reading connections make a log's files).
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
            const std::string name = entry.path().filename().string();
            EXPECT_TRUE(name == "link.db" || name.ends_with(".db")) << name;
        }
        const std::string database = dir.File(c.Database);
        EXPECT_EQ(QuotedRows(database, "SELECT quote(x) FROM Other"), (Rows{{"'kept'"}}));
        EXPECT_EQ(QuotedRows(database, "SELECT quote(ID), quote(Name) FROM Spell"),
                  (Rows{{"3", "'New'"}}));
        EXPECT_EQ(QuotedRows(database, "PRAGMA journal_mode"), (Rows{{c.JournalMode}}));
    }
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.db")));
}

// The save checks of every other file hold for a database too, and a refused save leaves
// every byte of it as it was.
TEST_F(SqliteExportTest, ARefusedDatabaseIsLeftAsItWas) {
    AddRecord(work->Table, {"3", "New", "2", "4"});
    const std::string path = ExportedFile();
    const struct {
        const char* Case;
        std::function<void()> Arrange;
        std::function<void()> Release;
        std::string Message;
    } cases[] = {
        {"read-only", [&] { ::chmod(path.c_str(), 0444); }, [&] { ::chmod(path.c_str(), 0644); },
         "\"" + path + "\" is read-only. Nothing was saved."},
        {"hard-linked", [&] { ::link(path.c_str(), dir.File("other.db").c_str()); },
         [&] { ::unlink(dir.File("other.db").c_str()); },
         "\"" + path +
             "\" has 2 names (hard links), and saving would give this name a copy of its own. "
             "Nothing was saved."},
        {"with a rollback journal of a write cut off",
         [&] {
             dir.Write("out.db-journal",
                       std::string("\xd9\xd5\x05\xf9\x20\xa1\x63\xd7", 8) + "rest");
         },
         [&] { ::unlink(dir.File("out.db-journal").c_str()); },
         "\"" + path +
             "\" is being written by another program, or one stopped while writing "
             "it (its journal \"" +
             path + "-journal\" is there)."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        MakeDatabase(path, "CREATE TABLE Other (x TEXT); INSERT INTO Other VALUES ('kept');");
        const std::string before = dir.Read("out.db");
        c.Arrange();
        EXPECT_EQ(MessageOf([&] { ExportSqlite(*work, path); }).substr(0, c.Message.size()),
                  c.Message);
        c.Release();
        EXPECT_EQ(dir.Read("out.db"), before);
        ::unlink(path.c_str());
    }
}

// Another program holding the database open in write-ahead-log mode keeps its log beside it:
// the export refuses rather than leave that log to be applied to the new file.
TEST_F(SqliteExportTest, ADatabaseAnotherProgramWritesIsRefused) {
    AddRecord(work->Table, {"3", "New", "2", "4"});
    MakeDatabase(ExportedFile(), "PRAGMA journal_mode=WAL; CREATE TABLE Other (x TEXT);");
    SqliteDatabase other(ExportedFile(), SqliteAccess::ReadWrite, ExportedFile());
    other.Execute("INSERT INTO Other VALUES ('theirs')");

    EXPECT_NE(MessageOf([&] {
                  ExportSqlite(*work, ExportedFile());
              }).find("its journal \"" + ExportedFile() + "-wal\" is there"),
              std::string::npos);
    EXPECT_EQ(QuotedRows(ExportedFile(), "SELECT quote(x) FROM Other"), (Rows{{"'theirs'"}}));
    EXPECT_EQ(QuotedRows(ExportedFile(), "SELECT name FROM sqlite_master WHERE name = 'Spell'"),
              Rows{});
}

TEST_F(SqliteExportTest, NamesThatNeedQuotingAreQuoted) {
    work->Current.TableName = "we\"ird table";
    BuildTable(work->Table, {{"select"}, {"a \"b\", c", FieldKind::ftString}, {"x;DROP"}});
    AddRecord(work->Table, {"1", "t", "2"});

    ExportSqlite(*work, ExportedFile());

    EXPECT_EQ(QuotedRows(ExportedFile(), "SELECT name FROM pragma_table_info('we\"ird table')"),
              (Rows{{"select"}, {"a \"b\", c"}, {"x;DROP"}}));
}

}  // namespace
}  // namespace kelvane
