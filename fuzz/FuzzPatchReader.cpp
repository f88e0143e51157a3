// Applies arbitrary bytes as patch text to a small table with duplicate keys, gaps in Index and
// every column kind, and checks the result against a plain reader that walks the table from
// its first record for every line: the same records changed and added, the same failing line,
// the same record left current and in editing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/KelvaneError.h"
#include "core/files/TextFile.h"
#include "core/table/Field.h"
#include "core/table/RecordTable.h"
#include "exchange/PatchLineParser.h"
#include "exchange/PatchReader.h"

namespace {

using kelvane::FieldKind;
using kelvane::RecordTable;

constexpr int kKeyColumn = 1;

void BuildTable(RecordTable& table) {
    table.ClearFieldDefs();
    table.AddFieldDef("Index", FieldKind::ftInteger, true);
    table.AddFieldDef("ID", FieldKind::ftInteger, false);
    table.AddFieldDef("Name", FieldKind::ftString, false);
    table.AddFieldDef("Speed", FieldKind::ftFloat, false);
    table.AddFieldDef("Tag", FieldKind::ftString, false);
    table.OpenEmpty();
    const struct {
        int32_t Index;
        const char* Cells[4];
    } records[] = {{0, {"1", "a", "1.5", "x"}},
                   {1, {"2", "b,c", "", ""}},
                   {2, {"1", "dup", "0", "y"}},
                   {5, {"7", "", "-2", "z"}},
                   {5, {"", "blank key", "3", ""}}};
    for (const auto& record : records) {
        table.Append();
        table.Fields(0).SetAsInteger(record.Index);
        for (int column = 1; column <= 4; ++column) {
            table.Fields(column).SetAsString(record.Cells[column - 1]);
        }
        table.Post();
    }
}

// The walk the index stands in for: a changed record is posted before each search, which
// goes from the first record; a new record goes in at the last one.
void ApplyLineByWalking(RecordTable& table, const kelvane::ParsedPatchLine& line) {
    kelvane::Field key = table.Fields(kKeyColumn);
    table.First();
    std::optional<int> found;
    for (int row = 0; row < table.RecordCount() && !found; ++row) {
        if (table.CellText(row, kKeyColumn) == line.Key) {
            found = row;
        }
    }
    if (found) {
        table.MoveTo(*found);
        table.Edit();
    } else {
        table.Last();
        table.Insert();
        key.SetAsString(line.Key);
    }
    for (const kelvane::PatchPairText& pair : line.Pairs) {
        const std::optional<int32_t> number = kelvane::PatchColumnNumber(pair.Column);
        if (!number || *number < -1 || *number > table.FieldCount() - 2) {
            throw kelvane::KelvaneError("bad column number");
        }
        table.Fields(*number + kKeyColumn).SetAsString(pair.Value);
    }
}

// The line that stopped the text, 0 when none did.
int ApplyByWalking(RecordTable& table, std::string_view text) {
    kelvane::ParsedPatchLine parsed;
    int lineNumber = 0;
    for (const std::string_view line : kelvane::SplitTextLines(text)) {
        ++lineNumber;
        kelvane::ParsePatchLine(line, parsed);
        if (parsed.Form == kelvane::PatchLineForm::Skipped) {
            continue;
        }
        try {
            if (parsed.Form == kelvane::PatchLineForm::NoColon) {
                throw kelvane::KelvaneError("no colon");
            }
            ApplyLineByWalking(table, parsed);
        } catch (const kelvane::KelvaneError&) {
            return lineNumber;
        }
    }
    return 0;
}

int ApplyWithIndex(RecordTable& table, std::string_view text) {
    try {
        kelvane::ApplyPatchText(table, text);
    } catch (const kelvane::PatchLineError& error) {
        return error.LineNumber;
    }
    return 0;
}

std::vector<std::string> Snapshot(const RecordTable& table) {
    std::vector<std::string> cells{std::to_string(static_cast<int>(table.State())),
                                   std::to_string(table.CurrentRow()),
                                   std::to_string(table.Modified())};
    for (int row = 0; row < table.RowCount(); ++row) {
        for (int column = 0; column < table.FieldCount(); ++column) {
            cells.push_back(table.CellText(row, column));
        }
        cells.emplace_back("\n");
    }
    return cells;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    RecordTable indexed;
    RecordTable walked;
    BuildTable(indexed);
    BuildTable(walked);
    const int indexedFailure = ApplyWithIndex(indexed, text);
    const int walkedFailure = ApplyByWalking(walked, text);
    if (indexedFailure != walkedFailure || Snapshot(indexed) != Snapshot(walked)) {
        std::abort();
    }
    return 0;
}
