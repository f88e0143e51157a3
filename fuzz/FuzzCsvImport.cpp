// Reads arbitrary bytes as comma-separated text, whole and in pieces of a few bytes, which must
// give the same records or fail on the same line; then imports them into a small table with
// every column kind, with and without a header line (the first byte chooses), which either
// succeeds or fails leaving every cell and the undo history as they were.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/KelvaneError.h"
#include "core/files/MemoryByteSource.h"
#include "core/table/Field.h"
#include "core/table/RecordTable.h"
#include "core/undo/UndoHistory.h"
#include "exchange/CsvImport.h"
#include "exchange/CsvReader.h"

namespace {

using kelvane::FieldKind;
using kelvane::RecordTable;

// Index, then a column of each kind.
void BuildTable(RecordTable& table) {
    const struct {
        const char* Name;
        FieldKind Kind;
    } columns[] = {{"Index", FieldKind::ftInteger},
                   {"ID", FieldKind::ftInteger},
                   {"Name", FieldKind::ftString},
                   {"Speed", FieldKind::ftFloat},
                   {"Tag", FieldKind::ftString}};
    table.ClearFieldDefs();
    for (const auto& column : columns) {
        table.AddFieldDef(column.Name, column.Kind, column.Name == columns[0].Name);
    }
    table.OpenEmpty();
    for (const char* cells : {"1|a|1.5|x", "2|b,c||", "1|dup|0|y"}) {
        table.Append();
        std::string_view rest = cells;
        for (int column = 1; column < table.FieldCount(); ++column) {
            const size_t bar = rest.find('|');
            table.Fields(column).SetAsString(rest.substr(0, bar));
            rest = bar == std::string_view::npos ? std::string_view() : rest.substr(bar + 1);
        }
        table.Post();
    }
}

// Every record with its line, then the failure's message or "".
std::vector<std::string> ReadAll(std::string_view bytes, size_t pieceBytes) {
    std::vector<std::string> read;
    try {
        kelvane::MemoryByteSource source(bytes);
        kelvane::CsvReader reader(source, "in.csv", pieceBytes);
        while (reader.Next()) {
            read.push_back(std::to_string(reader.Line()));
            for (const std::string_view item : reader.Items()) {
                read.emplace_back(item);
            }
        }
        read.emplace_back();
    } catch (const kelvane::KelvaneError& error) {
        read.emplace_back(error.what());
    }
    return read;
}

std::vector<std::string> Snapshot(const RecordTable& table) {
    std::vector<std::string> cells{std::to_string(table.RowCount())};
    for (int row = 0; row < table.RowCount(); ++row) {
        for (int column = 0; column < table.FieldCount(); ++column) {
            cells.push_back(table.CellText(row, column));
        }
    }
    return cells;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (ReadAll(bytes, 3) != ReadAll(bytes, size_t{1} << 20)) {
        std::abort();
    }
    const bool header = !bytes.empty() && (bytes.front() & 1) != 0;
    const auto match = !bytes.empty() && (bytes.front() & 2) != 0 ? kelvane::ImportMatch::ByPosition
                                                                  : kelvane::ImportMatch::ByKey;
    RecordTable table;
    BuildTable(table);
    kelvane::UndoHistory history(table);
    const std::vector<std::string> before = Snapshot(table);
    try {
        kelvane::MemoryByteSource source(bytes);
        kelvane::ImportCsv(table, source, "in.csv", header, match);
    } catch (const kelvane::KelvaneError&) {
        if (Snapshot(table) != before || history.CanUndo()) {
            std::abort();
        }
    }
    return 0;
}
