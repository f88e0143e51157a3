#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/table/Field.h"
#include "core/workspace/Workspace.h"
#include "examples/generator/ExampleTables.h"
#include "examples/generator/ExampleWorkspace.h"

namespace kelvane {
namespace {

using enum FieldKind;

// TalentTab.dbc: 15 fields.
constexpr std::array<ExampleField, 15> kTabFields{{
    {"ID"},
    {"Name", ftString},
    {"Unk3"},
    {"Unk4"},
    {"Unk5"},
    {"Unk6"},
    {"Unk7"},
    {"Unk8"},
    {"Unk9"},
    {"NameFlags"},
    {"Unk11"},
    {"Unk12"},
    {"ClassMask"},
    {"OrderIndex"},
    {"InternalName", ftString},
}};

// Talent.dbc: 21 fields.
constexpr std::array<ExampleField, 21> kTalentFields{{
    {"ID"},    {"TabID"}, {"Row"},     {"Column"}, {"Rank1"}, {"Rank2"}, {"Rank3"},
    {"Rank4"}, {"Rank5"}, {"Unk10"},   {"Unk11"},  {"Unk12"}, {"Unk13"}, {"ReqTalent"},
    {"Unk15"}, {"Unk16"}, {"ReqRank"}, {"Unk18"},  {"Unk19"}, {"Unk20"}, {"Unk21"},
}};

// A talent tab of a class. Spacing (Unk11) grows by 128 from one tab of a class to the next,
// the steps in which the editor continues it for the new tabs it adds.
struct ExampleTab {
    int32_t Id;
    std::string_view ClassName;
    int32_t ClassMask;
    int32_t Position;
    int32_t Spacing;
    std::string_view Name;
};

constexpr std::array<ExampleTab, 7> kTabs{{
    {301, "Warlock", 256, 0, 0, "Hexcraft"},
    {302, "Warlock", 256, 1, 128, "Pactbinding"},
    {303, "Warlock", 256, 2, 256, "Cinderfall"},
    {201, "Priest", 16, 0, 0, "Radiance"},
    {202, "Priest", 16, 1, 128, "Solace"},
    {111, "Mage", 128, 0, 0, "Arcanum"},
    {112, "Mage", 128, 1, 128, "Emberlore"},
}};

// A talent with its number of ranks, and the talent it requires (0: none) with the rank
// needed, stored one less than the editor shows it.
struct ExampleTalent {
    int32_t Id;
    int32_t Tab;
    int32_t Row;
    int32_t Column;
    int32_t Ranks;
    int32_t ReqTalent = 0;
    int32_t ReqRank = 0;
};

constexpr std::array<ExampleTalent, 27> kTalents{{
    {3001, 301, 0, 1, 5},          {3002, 301, 0, 2, 5},          {3003, 301, 1, 0, 2},
    {3004, 301, 1, 1, 3},          {3005, 301, 2, 1, 1, 3004, 2}, {3006, 301, 2, 2, 5},
    {3007, 301, 3, 0, 2},          {3008, 301, 4, 1, 3, 3005, 0}, {3009, 301, 4, 2, 2},
    {3010, 301, 6, 1, 1, 3008, 2}, {3101, 302, 0, 0, 2},          {3102, 302, 0, 1, 3},
    {3103, 302, 1, 1, 5, 3102, 2}, {3104, 302, 2, 0, 3},          {3105, 302, 2, 3, 1},
    {3106, 302, 3, 1, 5, 3103, 4}, {3107, 302, 4, 2, 1},          {3108, 302, 6, 1, 1, 3106, 4},
    {3201, 303, 0, 1, 5},          {3202, 303, 1, 0, 2},          {3203, 303, 1, 2, 5, 3201, 4},
    {3204, 303, 2, 1, 1},          {3205, 303, 4, 1, 3, 3204, 0}, {3206, 303, 6, 1, 1, 3205, 2},
    {2001, 201, 0, 1, 5},          {2002, 201, 1, 1, 3, 2001, 4}, {1101, 111, 0, 0, 5},
}};

// The values the editor gives a tab when the user names it, so the example looks alike.
constexpr int32_t kNamedTabFlags = 2031678;
constexpr int32_t kNamedTabUnk12 = 511;

// Rank n of a talent is a made-up spell ID: the talent ID * 10 + n. Unused ranks stay 0.
int32_t RankSpell(int32_t talentId, int32_t rank) {
    return talentId * 10 + rank;
}

std::vector<std::string> WriteTabs(const std::string& folder) {
    const std::unique_ptr<Workspace> workspace = ExampleWorkspace(folder, "TalentTab");
    DefineExampleColumns(*workspace, kTabFields);
    RecordTable& table = workspace->Table;
    for (const ExampleTab& tab : kTabs) {
        table.Append();
        table.Fields(1).SetAsInteger(tab.Id);
        table.Fields(2).SetAsString(tab.Name);
        table.Fields(10).SetAsInteger(kNamedTabFlags);
        table.Fields(11).SetAsInteger(tab.Spacing);
        table.Fields(12).SetAsInteger(kNamedTabUnk12);
        table.Fields(13).SetAsInteger(tab.ClassMask);
        table.Fields(14).SetAsInteger(tab.Position);
        table.Fields(15).SetAsString(std::string(tab.ClassName) + std::string(tab.Name));
        table.Post();
    }
    return SaveExampleWithDefs(*workspace, static_cast<int>(kTabFields.size()));
}

std::vector<std::string> WriteTalents(const std::string& folder) {
    const std::unique_ptr<Workspace> workspace = ExampleWorkspace(folder, "Talent");
    DefineExampleColumns(*workspace, kTalentFields);
    RecordTable& table = workspace->Table;
    for (const ExampleTalent& talent : kTalents) {
        table.Append();
        table.Fields(1).SetAsInteger(talent.Id);
        table.Fields(2).SetAsInteger(talent.Tab);
        table.Fields(3).SetAsInteger(talent.Row);
        table.Fields(4).SetAsInteger(talent.Column);
        for (int32_t rank = 1; rank <= talent.Ranks; ++rank) {
            table.Fields(4 + rank).SetAsInteger(RankSpell(talent.Id, rank));
        }
        table.Fields(14).SetAsInteger(talent.ReqTalent);
        table.Fields(17).SetAsInteger(talent.ReqRank);
        table.Post();
    }
    return SaveExampleWithDefs(*workspace, static_cast<int>(kTalentFields.size()));
}

}  // namespace

std::vector<std::string> WriteTalentExample(const std::string& folder) {
    std::vector<std::string> written = WriteTabs(folder);
    const std::vector<std::string> talents = WriteTalents(folder);
    written.insert(written.end(), talents.begin(), talents.end());
    return written;
}

}  // namespace kelvane
