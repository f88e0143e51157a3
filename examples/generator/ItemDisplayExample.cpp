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
#include "examples/generator/Random.h"

namespace kelvane {
namespace {

constexpr int kItemRecords = 60;
constexpr uint32_t kItemSeed = 7321;

// Three 4-byte cells (the id and two texts), then five one-byte cells: 17 bytes a record.
constexpr int kWholeCells = 3;
constexpr int kByteCells = 5;

constexpr std::array<ExampleField, 8> kFields{{
    {"ID", FieldKind::ftInteger, false},
    {"Model", FieldKind::ftString, false},
    {"Icon", FieldKind::ftString, false},
    {"Quality", FieldKind::ftInteger, false},
    {"SheatheType", FieldKind::ftInteger, false},
    {"Material", FieldKind::ftInteger, false},
    {"GlowFlags", FieldKind::ftInteger, true},
    {"SoundSet", FieldKind::ftInteger, false},
}};

// An item shape and how it is carried.
struct ItemShape {
    std::string_view Name;
    int32_t SheatheType;
};

constexpr std::array<ItemShape, 10> kShapes{{
    {"sword", 1},
    {"axe", 1},
    {"mace", 3},
    {"staff", 2},
    {"dagger", 3},
    {"bow", 2},
    {"shield", 4},
    {"helm", 0},
    {"robe", 0},
    {"boots", 0},
}};
constexpr std::array<std::string_view, 5> kFinishes{"plain", "ornate", "rusty", "runed", "gilded"};

std::string TwoDigits(int32_t number) {
    return (number < 10 ? "0" : "") + std::to_string(number);
}

void AppendItem(RecordTable& table, int32_t id, Random& random) {
    const ItemShape& shape = random.Pick(kShapes);
    const std::string shapeName(shape.Name);
    const int32_t variant = random.Between(1, 12);
    table.Append();
    table.Fields(1).SetAsInteger(id);
    table.Fields(2).SetAsString(shapeName + "_" + std::string(random.Pick(kFinishes)) + "_" +
                                TwoDigits(variant));
    table.Fields(3).SetAsString("icon_" + shapeName + "_" + TwoDigits(variant));
    table.Fields(4).SetAsInteger(random.Between(0, 5));
    table.Fields(5).SetAsInteger(shape.SheatheType);
    table.Fields(6).SetAsInteger(random.Between(1, 8));
    table.Fields(7).SetAsInteger(random.Percent(75) ? 0 : random.Between(1, 15));
    table.Fields(8).SetAsInteger(random.Between(0, 255));
    table.Post();
}

}  // namespace

std::vector<std::string> WriteItemDisplayExample(const std::string& folder) {
    const std::unique_ptr<Workspace> workspace = ExampleWorkspace(folder, "ItemDisplayFlags");
    DefineExampleColumns(*workspace, kFields);
    Random random(kItemSeed);
    int32_t id = 1000;
    for (int record = 0; record < kItemRecords; ++record) {
        id += random.Between(1, 3);
        AppendItem(workspace->Table, id, random);
    }
    // The writer keeps a byte-field layout that matches the columns, as for a loaded table.
    workspace->FileLayout = CellLayout::WholeThenBytes(kWholeCells, kByteCells);
    return SaveExampleWithDefs(*workspace, static_cast<int>(kFields.size()));
}

}  // namespace kelvane
