#include "core/definitions/FieldKindGuess.h"
#include "core/workspace/FileKindGuess.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/base/KelvaneError.h"
#include "core/definitions/FieldDefFile.h"
#include "core/workspace/OpenTable.h"
#include "core/workspace/Workspace.h"
#include "core/workspace/WorkspaceFiles.h"
#include "tests/support/KnownKindsTable.h"
#include "tests/support/TempDir.h"

namespace kelvane {
namespace {

using testing::KnownKindsTable;
using testing::TempDir;
constexpr FieldKind I = FieldKind::ftInteger;
constexpr FieldKind S = FieldKind::ftString;
constexpr FieldKind F = FieldKind::ftFloat;

// The table loaded the way a file without definitions loads (integers named by number), with
// sizes for its narrow cells, which a file with 2-byte cells needs.
FieldKindGuess GuessOf(const KnownKindsTable& made) {
    auto workspace = std::make_unique<Workspace>();
    const int fieldCount = static_cast<int>(made.Kinds().size());
    bool narrow = false;
    for (const uint8_t bytes : made.CellBytes()) {
        narrow = narrow || bytes < 4;
    }
    for (int field = 0; field < fieldCount; ++field) {
        FieldDef& def = workspace->Defs[field];
        def = FieldDef{field, std::to_string(field), "ftInteger"};
        def.Bits = narrow ? 8 * made.CellBytes()[static_cast<size_t>(field)] : 0;
    }
    LoadDbcBytes(*workspace, "Guess.dbc", made.FileBytes(), false, fieldCount);
    return GuessFieldKinds(workspace->Table, workspace->FileLayout);
}

struct GuessCase {
    std::string Name;
    KnownKindsTable Table;
    std::vector<FieldKind> Expected;
};

std::vector<GuessCase> Cases() {
    std::vector<GuessCase> cases;
    auto add = [&](std::string name, KnownKindsTable table, std::vector<FieldKind> expected) {
        cases.push_back({std::move(name), std::move(table), std::move(expected)});
    };

    add("ids, names, scales and counts side by side",
        KnownKindsTable(5)
            .Integers({1, 2, 3, 50, 51})
            .Texts({"Fireball", "Frost Nova", "", "Fireball", "Blink"})
            .Floats({1.5f, 0, 2.25f, 100, 0.1f})
            .Integers({3, 0, 7, 12, 0}),
        {I, S, F, I});
    add("floats holding whole numbers and negative floats",
        KnownKindsTable(4).Floats({1, 2, 0, 10}).Floats({-1.5f, -20000, 0.25f, 0}), {F, F});
    add("-0 neither makes nor breaks a float column",
        KnownKindsTable(3).Floats({-0.0f, 1.5f, 0}).Floats({-0.0f, 0, -0.0f}), {F, I});
    {
        // "ab" starts at 1, "cd" at 4, "ef" at 7: 5 is inside "cd".
        KnownKindsTable table(4);
        table.Texts({"ab", "cd", "ef", ""});
        add("integers that hit text starts now and then",
            std::move(table.Integers({1, 4, 5, 7}).Integers({4, 7, 0, 4})), {S, I, S});
    }
    add("0/1 flags beside texts: 1 is where every block's first text starts",
        KnownKindsTable(4).Texts({"Name", "", "Other", "Name"}).Integers({0, 1, 1, 0}), {S, I});
    add("a text column whose only text is the block's first reads as a flag",
        KnownKindsTable(3).Texts({"Only", "", "Only"}), {I});
    add("a text column whose only text starts past the first is a text",
        KnownKindsTable(3).Texts({"Alpha", "Beta", ""}).Texts({"Beta", "Beta", ""}), {S, S});
    add("bit masks, -1, colours and the sign bit alone",
        KnownKindsTable(3)
            .Integers({static_cast<int32_t>(0x80000000u), 0x10, 0})
            .Integers({static_cast<int32_t>(0x80000000u), 0, static_cast<int32_t>(0x80000000u)})
            .Integers({-1, 0, -1})
            .Integers({static_cast<int32_t>(0xFF336699u), static_cast<int32_t>(0xFF000000u), 0}),
        {I, I, I, I});
    add("ids up to the smallest float's bit pattern stay integers",
        KnownKindsTable(3).Integers({1, 100000, 898000000}), {I});
    add("floats outside the plausible window are integers",
        KnownKindsTable(2).Floats({1e-8f, 0}).Floats({1e12f, 3}), {I, I});
    add("columns of zeros are integers, also beside texts",
        KnownKindsTable(2).Texts({"Text", "More"}).Integers({0, 0}).Floats({0, 0}).Texts({"", ""}),
        {S, I, I, I});
    add("an empty string block holds no texts",
        KnownKindsTable(2).Integers({0, 5}).Integers({3, 0}).Block(""), {I, I});
    add("a block of only the empty text holds no texts",
        KnownKindsTable(2).Integers({1, 0}).Block(std::string(1, '\0')), {I});
    add("offsets past the block or into a text's middle are integers",
        KnownKindsTable(2).Texts({"Long text", "Two"}).Integers({1, 3}).Integers({1, 400}),
        {S, I, I});
    add("1-byte cells hold numbers even where a text starts",
        KnownKindsTable(2).Texts({"ab", "cd"}).NarrowIntegers({1, 4}, 1), {S, I});
    add("2-byte cells hold numbers even where a text starts",
        KnownKindsTable(2).NarrowIntegers({1, 4}, 2).Texts({"ab", "cd"}).NarrowIntegers({4, 1}, 2),
        {I, S, I});
    add("a table without records", KnownKindsTable(0).Integers({}).Texts({}), {I, I});
    return cases;
}

TEST(FieldKindGuessTest, GuessesEachCase) {
    for (const GuessCase& guessCase : Cases()) {
        SCOPED_TRACE(guessCase.Name);
        const FieldKindGuess guess = GuessOf(guessCase.Table);
        EXPECT_EQ(guess.Kinds, guessCase.Expected);
        int texts = 0;
        int floats = 0;
        for (const FieldKind kind : guessCase.Expected) {
            texts += kind == S ? 1 : 0;
            floats += kind == F ? 1 : 0;
        }
        EXPECT_EQ(guess.TextColumns, texts);
        EXPECT_EQ(guess.FloatColumns, floats);
    }
}

// A table with texts the guess can tell, as a file on disk: what the guess of the file says.
KnownKindsTable NamedTable() {
    KnownKindsTable table(3);
    table.Integers({1, 2, 3}).Texts({"Sword", "Shield", ""}).Floats({0.5f, 0, 3});
    return table.NarrowIntegers({7, 0, 255}, 1);
}

TEST(FieldKindGuessTest, FileIsReadOnItsOwn) {
    const TempDir dir;
    dir.Write("Item.dbc", NamedTable().FileBytes());
    const FieldKindGuess guess = GuessFieldKindsOfFile(dir.File("Item.dbc"));
    EXPECT_EQ(guess.Kinds, (std::vector<FieldKind>{I, S, F, I}));
    EXPECT_EQ(guess.Cells.FieldCount(), 4);
}

TEST(FieldKindGuessTest, UnreadableFileIsNamed) {
    const TempDir dir;
    dir.Write("Broken.dbc", "WDBC");
    for (const char* name : {"Broken.dbc", "Missing.dbc"}) {
        try {
            GuessFieldKindsOfFile(dir.File(name));
            ADD_FAILURE() << name << " was read";
        } catch (const KelvaneError& error) {
            EXPECT_NE(std::string(error.what()).find(name), std::string::npos) << error.what();
        }
    }
}

// The guess written as the table's definitions opens the texts as texts and keeps the narrow
// cell narrow, so saving the table again gives the same bytes.
TEST(FieldKindGuessTest, GuessedDefinitionsOpenTheTableWithItsTexts) {
    const TempDir dir;
    const std::string bytes = NamedTable().FileBytes();
    dir.Write("Item.dbc", bytes);
    const FieldKindGuess guess = GuessFieldKindsOfFile(dir.File("Item.dbc"));
    const std::vector<FieldDef> guessed = GuessedFieldDefs(guess);
    ASSERT_EQ(guessed.size(), 4u);
    EXPECT_EQ(guessed[1].Name, "1");
    EXPECT_EQ(guessed[1].KindText, "ftString");
    EXPECT_EQ(guessed[3].Bits, 8);
    EXPECT_EQ(guessed[0].Bits, 32);

    auto workspace = std::make_unique<Workspace>();
    workspace->Current.FilePath = dir.File("Item.dbc");
    workspace->Current.TableName = "Item";
    for (size_t field = 0; field < guessed.size(); ++field) {
        workspace->Defs[static_cast<int>(field)] = guessed[field];
    }
    SaveFieldDefinitions(workspace->Current, workspace->Defs, 4);
    auto reopened = std::make_unique<Workspace>();
    OpenDbcTable(*reopened, dir.File("Item.dbc"));
    reopened->Table.First();
    EXPECT_EQ(reopened->Table.ColumnName(2), "1");
    EXPECT_EQ(reopened->Table.StringAt(0, 2), "Sword");
    EXPECT_DOUBLE_EQ(reopened->Table.FloatAt(0, 3), 0.5);
    EXPECT_EQ(EncodeDbcTable(*reopened), bytes);
}

TEST(FieldKindGuessTest, DefinitionsOfAGuessWithoutNarrowCellsGiveNoSizes) {
    FieldKindGuess guess;
    guess.Kinds = {I, F};
    guess.Cells = CellLayout::Uniform(2);
    for (const FieldDef& def : GuessedFieldDefs(guess)) {
        EXPECT_EQ(def.Bits, 0) << def.Name;
    }
}

}  // namespace
}  // namespace kelvane
