#include "import/QuestImporter.h"

#include <cstdint>
#include <string>

#include "core/table/Field.h"
#include "core/table/RecordTable.h"
#include "import/AssignByKind.h"
#include "import/QuestWords.h"
#include "import/ScriptNumbers.h"
#include "import/ScriptSyntax.h"

namespace kelvane {
namespace {

// A key whose lines hold a pair "a,b" for the next numbered column pair of its list: the
// first column is Prefix + N, the second SecondPrefix + N + SecondSuffix.
struct ListKey {
    std::string_view Key;
    QuestImporter::List List;
    std::string_view Prefix;
    std::string_view SecondPrefix;
    std::string_view SecondSuffix;
    // Object objectives share the creature objectives' numbering and are told apart by the
    // highest bit of their id.
    bool MarksObject = false;
};

constexpr ListKey kListKeys[] = {
    {"ReputationObjective", QuestImporter::Reputation, "faction_", "faction_min_req_", ""},
    {"RewardItem", QuestImporter::RewardItem, "reward_item_", "reward_item_", "_amount"},
    {"RewardItemChoice", QuestImporter::RewardChoice, "reward_choice_", "reward_choice_",
     "_amount"},
    {"DeliverObjective", QuestImporter::Deliver, "deliver_", "deliver_", "_amount"},
    {"KillObjective{MOB}", QuestImporter::Kill, "NpcObj_", "NpcObj_", "_amount"},
    {"KillObjective{OBJ}", QuestImporter::Kill, "NpcObj_", "NpcObj_", "_amount", true},
};

const ListKey* FindListKey(std::string_view key) {
    for (const ListKey& list : kListKeys) {
        if (list.Key == key) {
            return &list;
        }
    }
    return nullptr;
}

std::string ColumnName(std::string_view prefix, int number, std::string_view suffix = {}) {
    return std::string(prefix) + std::to_string(number) + std::string(suffix);
}

void SetLocation(RecordTable& table, std::string_view line) {
    if (line.find("None") != std::string_view::npos) {
        return;
    }
    const std::array<float, 4> numbers = FloatQuad(line, QuadSeparator::Comma);
    const std::string_view columns[] = {"ma", "mx", "my", "mz"};
    for (size_t i = 0; i < numbers.size(); ++i) {
        table.FieldByName(columns[i]).SetAsFloat(numbers[i]);
    }
}

}  // namespace

bool QuestImporter::KeyAddsUp(std::string_view key) const {
    return FindListKey(key) != nullptr;
}

void QuestImporter::HandleLine(RecordTable& table, std::string_view key, std::string_view line) {
    if (key == "Location") {
        SetLocation(table, line);
        return;
    }
    if (const ListKey* list = FindListKey(key)) {
        IntegerPair pair = ReadIntegerPair(line);
        if (list->MarksObject) {
            pair.First = static_cast<int32_t>(static_cast<uint32_t>(pair.First) | 0x80000000u);
        }
        // A missing column throws before the count moves, so the list's next line aims at the
        // same number again.
        int& number = nextNumbers_[list->List];
        table.FieldByName(ColumnName(list->Prefix, number)).SetAsInteger(pair.First);
        table.FieldByName(ColumnName(list->SecondPrefix, number, list->SecondSuffix))
            .SetAsInteger(pair.Second);
        ++number;
        return;
    }
    if (const std::optional<int32_t> number = QuestWordNumber(key, LineValue(line))) {
        table.FieldByName(key).SetAsInteger(*number);
        return;
    }
    AssignByKind(table, key, line);
}

}  // namespace kelvane
