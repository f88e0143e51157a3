// Imports hostile database files into a small table of every column kind: arbitrary bytes as
// the file, databases made by arbitrary SQL, and such databases with bytes of the file changed
// afterwards. Whatever the file holds, the import either reads rows or fails with a
// KelvaneError, and a failed import leaves the table as it was.
#include <sqlite3.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "core/base/KelvaneError.h"
#include "core/table/Field.h"
#include "core/table/RecordTable.h"
#include "core/workspace/Workspace.h"
#include "databases/SqliteImport.h"

namespace {

using kelvane::FieldKind;

// How an input is taken: its first byte, then the rest.
enum Mode : uint8_t { kRawFile = 0, kMadeBySql = 1, kMadeBySqlThenChanged = 2 };

// Statements that make a database run this many virtual machine steps at most, so a recursive
// query cannot run for ever.
constexpr int kProgressSteps = 1000;
constexpr int kMostProgressCalls = 2000;

const std::string& DatabasePath() {
    static const std::string path = [] {
        std::string folder = "/tmp/kelvane-fuzz-sqlite-XXXXXX";
        if (::mkdtemp(folder.data()) == nullptr) {
            std::abort();
        }
        return folder + "/in.db";
    }();
    return path;
}

void BuildTable(kelvane::RecordTable& table) {
    table.ClearFieldDefs();
    table.AddFieldDef("Index", FieldKind::ftInteger, true);
    table.AddFieldDef("ID", FieldKind::ftInteger, false);
    table.AddFieldDef("Name", FieldKind::ftString, false);
    table.AddFieldDef("Speed", FieldKind::ftFloat, false);
    table.AddFieldDef("Flags", FieldKind::ftInteger, false);
    table.OpenEmpty();
    for (int id : {1, 2, 7}) {
        table.Append();
        table.Fields(1).SetAsInteger(id);
        table.Fields(2).SetAsString("n" + std::to_string(id));
        table.Fields(3).SetAsFloat(id * 0.5);
        table.Post();
    }
}

std::string AllCells(const kelvane::RecordTable& table) {
    std::string cells;
    for (int row = 0; row < table.RecordCount(); ++row) {
        for (int column = 0; column < table.FieldCount(); ++column) {
            cells += table.CellText(row, column) + '|';
        }
    }
    return cells;
}

void WriteFile(std::string_view bytes) {
    std::ofstream out(DatabasePath(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

int StopLongStatements(void* calls) {
    return ++*static_cast<int*>(calls) > kMostProgressCalls ? 1 : 0;
}

void MakeDatabase(const std::string& sql) {
    std::remove(DatabasePath().c_str());
    sqlite3* database = nullptr;
    if (sqlite3_open(DatabasePath().c_str(), &database) == SQLITE_OK) {
        int calls = 0;
        sqlite3_progress_handler(database, kProgressSteps, StopLongStatements, &calls);
        sqlite3_limit(database, SQLITE_LIMIT_LENGTH, 1 << 20);
        sqlite3_limit(database, SQLITE_LIMIT_ATTACHED, 0);
        sqlite3_exec(database, sql.c_str(), nullptr, nullptr, nullptr);
    }
    sqlite3_close(database);
}

// Each pair of bytes after the SQL changes one byte of the file: where (times 16, to reach
// past the first page) and the bits to flip.
void ChangeBytes(std::string_view changes) {
    std::string file;
    {
        std::ifstream in(DatabasePath(), std::ios::binary);
        file.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (file.empty()) {
        return;
    }
    for (size_t i = 0; i + 1 < changes.size(); i += 2) {
        const size_t where = static_cast<uint8_t>(changes[i]) * 16u % file.size();
        file[where] = static_cast<char>(file[where] ^ changes[i + 1]);
    }
    WriteFile(file);
}

void PrepareFile(std::string_view input) {
    const auto mode = static_cast<Mode>(static_cast<uint8_t>(input[0]) % 3);
    input.remove_prefix(1);
    if (mode == kRawFile) {
        WriteFile(input);
        return;
    }
    const size_t end = std::min(input.find('\0'), input.size());
    MakeDatabase(std::string(input.substr(0, end)));
    if (mode == kMadeBySqlThenChanged && end < input.size()) {
        ChangeBytes(input.substr(end + 1));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    PrepareFile(std::string_view(reinterpret_cast<const char*>(data), size));
    static auto* work = new kelvane::Workspace();
    work->Current.TableName = "Spell";
    BuildTable(work->Table);
    const std::string before = AllCells(work->Table);
    try {
        // Either match, by the input's size: the file's own bytes are the database's.
        kelvane::ImportSqlite(
            *work, DatabasePath(),
            size % 2 == 0 ? kelvane::ImportMatch::ByKey : kelvane::ImportMatch::ByPosition);
    } catch (const kelvane::KelvaneError&) {
        if (AllCells(work->Table) != before) {
            std::abort();  // a failed import changed the table
        }
    }
    return 0;
}
