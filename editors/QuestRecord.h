#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editors/ColumnAssignment.h"
#include "editors/PickList.h"

namespace kelvane {

class RecordTable;

// What the quest editor's fields hold; multi-line texts with LF or CR LF line ends, the pick
// lists' selected positions (-1 for none) and the spin fields' numbers.
struct QuestForm {
    std::string Name;
    std::string Objectives;
    std::string Details = "DescDetails";
    std::string IncompleteText;
    std::string CompleteText;
    std::string EndText;
    std::string Id;
    int OpenedBy = -1;
    int Next = -1;
    int32_t RequiredLevel = 0;
    int32_t QuestLevel = 0;  // shown, but written to no column
};

// The quest pick lists, "id name" entries with their ids, filled by "LoadData".
struct QuestLinks {
    PickList OpenedBy;
    PickList Next;
};

// The columns "Apply" writes, in its order; multi-line texts with their lines separated by
// CR LF.
std::vector<ColumnAssignment> QuestAssignments(const QuestForm& form, const QuestLinks& links);

// "LoadData": appends every record's id and name, in table order, to both lists, without
// emptying them first; the last record is current afterwards. A table without an "id" or a
// "name" column fails with "Field '%s' not found" and the lists stay as they were.
void AppendQuestLinks(RecordTable& table, QuestLinks& links);

}  // namespace kelvane
