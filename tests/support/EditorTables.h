#pragma once

#include <string>
#include <vector>

#include "core/table/RecordTable.h"
#include "tests/exchange/ExchangeTables.h"

namespace kelvane::testing {

// The columns the creature editor writes; "ID" and "Name" in capitals, since the editors find
// their columns without regard to case.
inline std::vector<ColumnSpec> CreatureColumns() {
    return {{"ID"},
            {"Name", FieldKind::ftString},
            {"level"},
            {"model"},
            {"faction"},
            {"maxhealth"},
            {"maxmana"},
            {"type"},
            {"elite"},
            {"family"},
            {"guild", FieldKind::ftString},
            {"attack"},
            {"speed", FieldKind::ftFloat},
            {"size", FieldKind::ftFloat},
            {"flags1"},
            {"selltemplate"},
            {"traintemplate"},
            {"loottemplate"},
            {"npctext"},
            {"bounding_radius", FieldKind::ftFloat},
            {"combat_reach", FieldKind::ftFloat},
            {"money"},
            {"equipmodel"},
            {"npcflags"}};
}

// The columns the quest editor writes and reads.
inline std::vector<ColumnSpec> QuestColumns() {
    return {{"id"},
            {"name", FieldKind::ftString},
            {"objectives", FieldKind::ftString},
            {"details", FieldKind::ftString},
            {"incompletetext", FieldKind::ftString},
            {"completetext", FieldKind::ftString},
            {"endtext", FieldKind::ftString},
            {"openedbyquest"},
            {"nextstoryquest"},
            {"requireslevel"}};
}

// An open table of the columns with the records, every cell 5 or, in string columns, "old";
// the first record is current.
inline void BuildFilledTable(RecordTable& table, const std::vector<ColumnSpec>& columns,
                             int records) {
    BuildTable(table, columns);
    std::vector<std::string> texts;
    for (const ColumnSpec& column : columns) {
        texts.push_back(column.Kind == FieldKind::ftString ? "old" : "5");
    }
    for (int record = 0; record < records; ++record) {
        AddRecord(table, texts);
    }
    table.First();
}

}  // namespace kelvane::testing
