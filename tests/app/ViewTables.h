#pragma once

#include <string>
#include <vector>

#include "core/table/ColumnPresentation.h"
#include "core/table/Field.h"
#include "core/table/RecordTable.h"

namespace kelvane::testing {

struct ViewRecord {
    int32_t Id;
    std::string Name;
    double Speed;
    int32_t Rank;
};

// Index, ID (shown in hexadecimal), Name, Speed, Rank; Index counts the records from 0.
inline void BuildViewTable(RecordTable& table, const std::vector<ViewRecord>& records) {
    table.AddFieldDef("Index", FieldKind::ftInteger, true);
    table.AddFieldDef("ID", FieldKind::ftInteger, false);
    table.AddFieldDef("Name", FieldKind::ftString, false);
    table.AddFieldDef("Speed", FieldKind::ftFloat, false);
    table.AddFieldDef("Rank", FieldKind::ftInteger, false);
    table.OpenEmpty();
    table.Presentation(1).HexHooks = true;
    int index = 0;
    for (const ViewRecord& record : records) {
        table.Append();
        table.Fields(0).SetAsInteger(index++);
        table.Fields(1).SetAsInteger(record.Id);
        table.Fields(2).SetAsString(record.Name);
        table.Fields(3).SetAsFloat(record.Speed);
        table.Fields(4).SetAsInteger(record.Rank);
        table.Post();
    }
}

}  // namespace kelvane::testing
