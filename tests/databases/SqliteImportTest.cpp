#include "databases/SqliteImport.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <thread>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/base/KelvaneError.h"
#include "core/undo/UndoHistory.h"
#include "core/workspace/Workspace.h"
#include "tests/databases/SqliteTestFiles.h"
#include "tests/exchange/ExchangeTables.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::AddRecord;
using testing::BuildTable;
using testing::MakeDatabase;
using testing::OpenSpellTable;
using testing::TableTexts;
using Rows = std::vector<std::vector<std::string>>;

// The open table: Spell with two records, ID 12 and 7.
class SqliteImportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        OpenSpellTable(*work);
        AddRecord(work->Table, {"12", "Fire", "1.5", "3"});
        AddRecord(work->Table, {"7", "Frost", "2", "0"});
    }

    std::string Database() const { return dir.File("in.db"); }
    // The error of importing the database made by sql, or "" when the import worked.
    std::string ImportError(const std::string& sql, ImportMatch match = ImportMatch::ByKey) {
        MakeDatabase(Database(), sql);
        try {
            ImportSqlite(*work, Database(), match);
        } catch (const KelvaneError& error) {
            return error.what();
        }
        return "";
    }

    testing::TempDir dir;
    std::unique_ptr<Workspace> work = std::make_unique<Workspace>();
};

TEST_F(SqliteImportTest, ValuesOfEveryStorageClassGoIntoTheColumnsOfTheirNames) {
    struct Case {
        std::string Sql;  // after CREATE TABLE
        Rows Expected;    // the open table's records afterwards
    };
    const Rows untouched = {{"0", "12", "Fire", "1.5", "3"}, {"1", "7", "Frost", "2", "0"}};
    const std::vector<Case> cases = {
        // Names without case; columns left out stay; a new key adds a record (with the
        // new-record defaults where the database says nothing).
        {"SPELL (flags INTEGER, id INTEGER); INSERT INTO SPELL VALUES (9, 7), (1, 40);",
         {{"0", "12", "Fire", "1.5", "3"},
          {"1", "7", "Frost", "2", "9"},
          {"2", "40", "", "0", "1"}}},
        // NULL blanks a cell; texts keep line breaks and quotes.
        {"Spell (ID, Name, Speed); INSERT INTO Spell VALUES (12, 'a ''b''\r\n\"c\"', NULL);",
         {{"0", "12", "a 'b'\r\n\"c\"", "", "3"}, untouched[1]}},
        // Mixed storage classes: each value is read as its column reads it.
        {"Spell (ID, Name, Speed, Flags); "
         "INSERT INTO Spell VALUES ('12', 5, '0.25', 4.0), (7.0, 2.5, 3, '0x10');",
         {{"0", "12", "5", "0.25", "4"}, {"1", "7", "2.5", "3", "16"}}},
        // Unsigned 32-bit values keep their pattern.
        {"Spell (ID, Flags); INSERT INTO Spell VALUES (4294967295, 2147483648);",
         {untouched[0], untouched[1], {"2", "-1", "", "0", "-2147483648"}}},
        // No rows changes nothing.
        {"Spell (ID INTEGER PRIMARY KEY, Name TEXT);", untouched},
    };
    for (const Case& c : cases) {
        SetUp();
        std::remove(Database().c_str());
        EXPECT_EQ(ImportError("CREATE TABLE " + c.Sql), "") << c.Sql;
        EXPECT_EQ(TableTexts(work->Table), c.Expected) << c.Sql;
    }
}

TEST_F(SqliteImportTest, ABadValueOrSchemaIsNamedAndTheTableStaysAsItWas) {
    struct Case {
        std::string Sql;
        std::string Error;  // what follows the file's path
    };
    const std::vector<Case> cases = {
        {"CREATE TABLE Spell (ID, Flags); INSERT INTO Spell VALUES (1, 2), (2, 4294967296);",
         ", table 'Spell', rowid 2, column 'Flags': '4294967296' is not a valid integer value "
         "for field 'Flags'"},
        {"CREATE TABLE Spell (ID, Flags); INSERT INTO Spell VALUES (1, 2.5);",
         ", table 'Spell', rowid 1, column 'Flags': '2.5' is not a valid integer value for field "
         "'Flags'"},
        {"CREATE TABLE Spell (ID, Speed); INSERT INTO Spell VALUES (1, 'fast');",
         ", table 'Spell', rowid 1, column 'Speed': 'fast' is not a valid floating point value "
         "for field 'Speed'"},
        {"CREATE TABLE Spell (ID, Name); INSERT INTO Spell VALUES (1, x'00ff');",
         ", table 'Spell', rowid 1, column 'Name': the value is a BLOB (binary data), which no "
         "table cell can hold"},
        {"CREATE TABLE Spell (ID, Name, Icon); INSERT INTO Spell VALUES (1, 'a', 'b');",
         ", table 'Spell': the open table has no column 'Icon'"},
        {"CREATE TABLE Spell (Name, Speed); INSERT INTO Spell VALUES ('a', 1);",
         ", table 'Spell': The key column ID is missing, so no record can be matched"},
        {"CREATE TABLE Spell (ID, [Index]); INSERT INTO Spell VALUES (1, 2);",
         ", table 'Spell': the column 'Index' would set the record numbers, which an import "
         "cannot"},
        {"CREATE TABLE Spell (ID INTEGER PRIMARY KEY, Flags) WITHOUT ROWID;"
         "INSERT INTO Spell VALUES (1, 1), (2, 'x');",
         ", table 'Spell', row 2, column 'Flags': 'x' is not a valid integer value for field "
         "'Flags'"},
        {"CREATE TABLE Items (ID); CREATE TABLE \"Spell.old\" (ID); CREATE TABLE Spells (ID);",
         " has no table 'Spell': its tables are 'Items', 'Spell.old', 'Spells'"},
        {"", " has no table 'Spell': it holds no tables"},
        {"CREATE TABLE Other (ID); CREATE VIEW Spell AS SELECT ID FROM Other;",
         ": 'Spell' is a view; only a table can be imported"},
        {"CREATE TABLE Spell (ID, Name); INSERT INTO Spell VALUES (5, 'a'), (NULL, 'b');",
         ", table 'Spell', rowid 2, column ID: the key is blank, and every record needs one. "
         "Nothing was changed."},
        {"CREATE TABLE Spell (ID, Name); INSERT INTO Spell VALUES (7, 'a'), (8, 'b'), (7, 'c');",
         ", table 'Spell', rowids 1 and 3: the key '7' stands on each of them and on record 2 of "
         "the table, so they cannot each be matched to a record by key. Nothing was changed."},
    };
    for (const Case& c : cases) {
        std::remove(Database().c_str());
        const Rows before = TableTexts(work->Table);
        EXPECT_EQ(ImportError(c.Sql), Database() + c.Error) << c.Sql;
        EXPECT_EQ(TableTexts(work->Table), before) << c.Sql;
    }
}

TEST_F(SqliteImportTest, AFileThatIsNoDatabaseMissingOrAPipeIsNamed) {
    dir.Write("in.db", std::string("SQLite format 2\0 and then some", 30));
    EXPECT_THROW(
        {
            try {
                ImportSqlite(*work, Database(), ImportMatch::ByKey);
            } catch (const KelvaneError& error) {
                EXPECT_EQ(std::string(error.what()),
                          "\"" + Database() + "\" is not a SQLite database");
                throw;
            }
        },
        KelvaneError);
    for (const auto& [file, reason] :
         {std::pair<std::string, std::string>{"missing.db", "No such file or directory"},
          {"", "Is a directory"}}) {
        try {
            ImportSqlite(*work, dir.File(file), ImportMatch::ByKey);
            FAIL() << "imported";
        } catch (const KelvaneError& error) {
            EXPECT_EQ(std::string(error.what()),
                      "Cannot open file \"" + dir.File(file) + "\". " + reason);
        }
    }
}

// SQLite reads only files: a database from a pipe or a named pipe is read through a copy,
// which goes again afterwards, also for a database with a write-ahead log.
TEST_F(SqliteImportTest, ADatabaseFromAPipeOrNamedPipeIsReadThroughACopy) {
    ::alarm(30);  // a read that waits for ever ends the test program instead of the run
    const char* modes[] = {"DELETE", "WAL"};
    for (const char* mode : modes) {
        SCOPED_TRACE(mode);
        std::remove(Database().c_str());
        MakeDatabase(Database(), std::string("PRAGMA journal_mode=") + mode +
                                     "; CREATE TABLE Spell (ID, Name); INSERT INTO Spell VALUES "
                                     "(7, 'piped');");
        const std::string bytes = dir.Read("in.db");
        std::remove(dir.File("in.fifo").c_str());
        ASSERT_EQ(::mkfifo(dir.File("in.fifo").c_str(), 0600), 0);
        std::thread writer([&] {
            const int fd = ::open(dir.File("in.fifo").c_str(), O_WRONLY);
            EXPECT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
            ::close(fd);
        });
        const SqliteImportReport report =
            ImportSqlite(*work, dir.File("in.fifo"), ImportMatch::ByKey);
        writer.join();
        EXPECT_EQ(report.Merge.RecordsChanged, 1);
        EXPECT_EQ(TableTexts(work->Table)[1],
                  (std::vector<std::string>{"1", "7", "piped", "2", "0"}));
        work = std::make_unique<Workspace>();
        SetUp();
    }
    ::alarm(0);
    const std::string scratch = std::getenv("TMPDIR") != nullptr ? std::getenv("TMPDIR") : "/tmp";
    for (const auto& entry : std::filesystem::directory_iterator(scratch)) {
        const std::string name = entry.path().filename().string();
        EXPECT_FALSE(name.starts_with("kelvane-") && name.size() == 14) << name;
    }
}

// A value computed whenever it is read could cost any time: such a column is refused before
// a row is read, and any read that takes far more work than the file's size calls for stops.
TEST_F(SqliteImportTest, WorkOutOfProportionToTheFileIsRefused) {
    EXPECT_EQ(ImportError("CREATE TABLE Spell (ID INTEGER, Name TEXT GENERATED ALWAYS AS "
                          "(printf('%.*c', 60000000, 'x')) VIRTUAL); INSERT INTO Spell (ID) "
                          "VALUES (1);"),
              Database() +
                  ", table 'Spell': the column 'Name' is computed whenever it is read (a virtual "
                  "generated column); only stored values can be imported");
    std::remove(Database().c_str());
    EXPECT_EQ(ImportError("CREATE TABLE Spell (ID INTEGER, Name TEXT GENERATED ALWAYS AS "
                          "('n' || ID) STORED); INSERT INTO Spell (ID) VALUES (12);"),
              "");
    EXPECT_EQ(TableTexts(work->Table)[0], (std::vector<std::string>{"0", "12", "n12", "1.5", "3"}));

    SqliteDatabase database(Database(), SqliteAccess::ReadOnly, "shown.db");
    database.LimitWork(1'000'000);
    SqliteStatement endless = database.Prepare(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n) SELECT count(*) FROM n");
    try {
        endless.Step();
        FAIL() << "finished";
    } catch (const KelvaneError& error) {
        EXPECT_EQ(std::string(error.what())
                      .rfind("\"shown.db\" asks for far more work than "
                             "reading a database of its size takes",
                             0),
                  0u)
            << error.what();
    }
}

TEST_F(SqliteImportTest, HugeTextsAreKeptWholeAndOddNamesAreFound) {
    work->Current.TableName = "we\"ird";
    BuildTable(work->Table, {{"a \"b\""}, {"select", FieldKind::ftString}});
    EXPECT_EQ(ImportError("CREATE TABLE \"WE\"\"IRD\" (\"A \"\"B\"\"\", \"SELECT\");"
                          "INSERT INTO \"we\"\"ird\" VALUES (1, printf('%.*c', 100000, 'x'));"),
              "");
    ASSERT_EQ(work->Table.RecordCount(), 1);
    EXPECT_EQ(work->Table.StringAt(0, 2), std::string(100000, 'x'));
}

// The table repeats key 7: by key no row may name it; by position the rows go to the records
// in rowid order, the key an ordinary column, and the rows past the last record are added.
TEST_F(SqliteImportTest, ARepeatedKeyIsRefusedByKeyAndReadByPosition) {
    AddRecord(work->Table, {"7", "Ice", "3", "1"});
    const Rows before = TableTexts(work->Table);
    const std::string rows =
        "CREATE TABLE Spell (ID, Name); "
        "INSERT INTO Spell (rowid, ID, Name) VALUES (5, 12, 'Fire'), (9, 7, 'Frost'), "
        "(10, 8, 'Snow'), (11, 7, 'New');";

    EXPECT_EQ(ImportError(rows),
              Database() +
                  ", table 'Spell', rowids 9 and 11: the key '7' stands on each of them and on "
                  "records 2 and 3 of the table, so they cannot each be matched to a record by "
                  "key. Nothing was changed.");
    EXPECT_EQ(TableTexts(work->Table), before);

    std::remove(Database().c_str());
    EXPECT_EQ(ImportError(rows, ImportMatch::ByPosition), "");
    EXPECT_EQ(TableTexts(work->Table), (Rows{{"0", "12", "Fire", "1.5", "3"},
                                             {"1", "7", "Frost", "2", "0"},
                                             {"2", "8", "Snow", "3", "1"},
                                             {"3", "7", "New", "0", "0"}}));
}

TEST_F(SqliteImportTest, TheImportIsOneUndoStep) {
    UndoHistory history(work->Table);
    const Rows before = TableTexts(work->Table);
    EXPECT_EQ(ImportError("CREATE TABLE Spell (ID, Name);"
                          "INSERT INTO Spell VALUES (7, 'Ice'), (8, 'New'), (12, 'Fire');"),
              "");
    EXPECT_EQ(work->Table.RecordCount(), 3);

    EXPECT_EQ(history.UndoName(), "Import SQLite");
    history.Undo();
    EXPECT_EQ(TableTexts(work->Table), before);
}

}  // namespace
}  // namespace kelvane
