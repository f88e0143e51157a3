#pragma once

#include <string>
#include <vector>

#include "core/workspace/Workspace.h"
#include "databases/SqliteDatabase.h"
#include "tests/exchange/ExchangeTables.h"

namespace kelvane::testing {

// The open table of the database tests, without records: Spell of an integer key, a text, a
// float and an integer.
inline void OpenSpellTable(Workspace& work) {
    work.Current.TableName = "Spell";
    BuildTable(work.Table,
               {{"ID"}, {"Name", FieldKind::ftString}, {"Speed", FieldKind::ftFloat}, {"Flags"}});
}

// A database file made from SQL statements, as another program would make it.
inline void MakeDatabase(const std::string& path, const std::string& sql) {
    SqliteDatabase database(path, SqliteAccess::Create, path);
    database.Execute(sql);
}

// The rows a query returns, each value as SQLite's quote() writes it ('text', 12, 1.5, NULL,
// X'00'), so a test sees the storage class too.
inline std::vector<std::vector<std::string>> QuotedRows(const std::string& path,
                                                        const std::string& query) {
    const SqliteDatabase database(path, SqliteAccess::ReadOnly, path);
    SqliteStatement rows = database.Prepare(query);
    std::vector<std::vector<std::string>> result;
    while (rows.Step()) {
        std::vector<std::string> row;
        for (int column = 0; column < rows.ColumnCount(); ++column) {
            row.emplace_back(rows.TextAt(column));
        }
        result.push_back(std::move(row));
    }
    return result;
}

}  // namespace kelvane::testing
