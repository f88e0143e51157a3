#include "core/table/GridColumns.h"

#include <string>
#include <vector>

#include "core/base/TextUtil.h"
#include "core/table/ColumnPresentation.h"
#include "core/table/FieldDef.h"
#include "core/table/RecordTable.h"

namespace kelvane {
namespace {

constexpr int kStringColumnWidthPixels = 150;

// A column without an entry in the list (only a table built with more fields than the list
// holds) is skipped rather than failing the whole pass.
bool HasDefinition(int column) {
    return column - 1 < FieldDefList::Capacity();
}

}  // namespace

void ApplyColumnCaptions(RecordTable& table, const FieldDefList& defs) {
    for (int column = 1; column < table.FieldCount(); ++column) {
        if (!HasDefinition(column)) {
            continue;
        }
        ColumnPresentation& presentation = table.Presentation(column);
        const std::string& name = table.ColumnName(column);
        switch (table.ColumnKind(column)) {
            case FieldKind::ftInteger:
                presentation.Caption = defs[column - 1].Hex ? name + "(hex)" : name;
                break;
            case FieldKind::ftFloat:
                presentation.Caption = name + "(float)";
                break;
            case FieldKind::ftString:
                presentation.Caption = name;
                break;
        }
    }
}

void SetupGridColumns(RecordTable& table, const FieldDefList& defs) {
    for (int column = 1; column < table.FieldCount(); ++column) {
        if (!HasDefinition(column)) {
            continue;
        }
        ColumnPresentation& presentation = table.Presentation(column);
        const FieldKind kind = table.ColumnKind(column);
        // Only integer cells have a hexadecimal form; a float or string column keeps its text.
        if (defs[column - 1].Hex && kind == FieldKind::ftInteger) {
            presentation.HexHooks = true;
            presentation.ValidChars = CharSet::Of("0123456789ABCDEFabcdef");
        } else {
            presentation.HexHooks = false;
            // No sign: negative values load, show and save, but cannot be typed here.
            if (kind == FieldKind::ftInteger) {
                presentation.ValidChars = CharSet::Of("0123456789");
            }
        }
        if (kind == FieldKind::ftString) {
            presentation.WidthPixels = kStringColumnWidthPixels;
        }
    }
    if (table.Active() && !table.IsEmpty()) {
        table.First();
    }
}

void MakeFieldNamesUnique(FieldDefList& defs, int last) {
    if (last < 0) {
        return;
    }
    std::vector<std::string> upperNames;
    for (int i = 0; i <= last; ++i) {
        upperNames.push_back(UpperCase(defs[i].Name));
    }
    // U is taken once per entry, so an entry gains one suffix for every other entry that
    // still matches it; higher entries already carry theirs when a lower one is handled.
    for (int i = last; i >= 0; --i) {
        const std::string& upper = upperNames[static_cast<size_t>(i)];
        std::string& name = defs[i].Name;
        const size_t ownLength = name.size();
        for (int j = last; j >= 0; --j) {
            if (j != i && upperNames[static_cast<size_t>(j)] == upper) {
                name += " c" + std::to_string(i);
            }
        }
        if (name.size() != ownLength) {
            upperNames[static_cast<size_t>(i)] = UpperCase(name);
        }
    }
}

}  // namespace kelvane
