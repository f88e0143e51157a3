// How often the kind guess is right: on the bundled example tables (against the kinds of
// their field-definition files) and on generated tables whose kinds are known. Prints, per
// table, its columns, how many the guess got right, and each one it got wrong.
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "core/definitions/FieldDefFile.h"
#include "core/definitions/FieldKindGuess.h"
#include "core/workspace/FileKindGuess.h"
#include "core/workspace/Workspace.h"
#include "core/workspace/WorkspaceFiles.h"
#include "examples/generator/Random.h"
#include "examples/generator/SpellLikeTable.h"
#include "tests/support/KnownKindsTable.h"
#include "tests/support/TempDir.h"

namespace kelvane::bench {
namespace {

struct Tally {
    int Columns = 0;
    int Right = 0;
    int WrongAllZero = 0;  // wrong columns that hold only zeros, whose kind no data tells

    void Add(const Tally& other) {
        Columns += other.Columns;
        Right += other.Right;
        WrongAllZero += other.WrongAllZero;
    }
    void Print(const char* label) const {
        std::printf("%-44s columns %4d  right %4d  wrong %3d, %d of them all zero\n", label,
                    Columns, Right, Columns - Right, WrongAllZero);
    }
};

// Loads the file as a table without definitions does, guesses, and prints the comparison
// with the true kinds. A wrong column of zeros is marked: no guess can tell its kind.
Tally CompareGuess(const std::string& label, const std::string& path,
                   const std::vector<FieldKind>& truth) {
    auto workspace = std::make_unique<Workspace>();
    LoadDbcFileAsIntegers(*workspace, path);
    const RecordTable& table = workspace->Table;
    const FieldKindGuess guess = GuessFieldKinds(table, workspace->FileLayout);

    Tally tally;
    std::string wrong;
    for (size_t field = 0; field < truth.size() && field < guess.Kinds.size(); ++field) {
        ++tally.Columns;
        if (guess.Kinds[field] == truth[field]) {
            ++tally.Right;
            continue;
        }
        bool allZero = true;
        const int column = static_cast<int>(field) + 1;
        for (int row = 0; row < table.RecordCount() && allZero; ++row) {
            allZero = table.IntegerAt(row, column) == 0;
        }
        tally.WrongAllZero += allZero ? 1 : 0;
        wrong += "\n    field " + std::to_string(field) + ": " +
                 std::string(FieldKindText(truth[field])) + " guessed " +
                 std::string(FieldKindText(guess.Kinds[field])) + (allZero ? " (all zero)" : "");
    }
    std::printf("%-44s columns %4d  right %4d  wrong %3d%s\n", label.c_str(), tally.Columns,
                tally.Right, tally.Columns - tally.Right, wrong.c_str());
    return tally;
}

std::vector<FieldKind> KindsOfIni(const std::string& iniPath) {
    auto defs = std::make_unique<FieldDefList>();
    const int count = ImportFieldDefFile(iniPath, *defs);
    std::vector<FieldKind> kinds;
    for (int field = 0; field < count; ++field) {
        kinds.push_back((*defs)[field].Kind);
    }
    return kinds;
}

Tally BundledExamples() {
    Tally total;
    const std::filesystem::path folder = std::filesystem::path(KELVANE_SOURCE_DIR) / "examples";
    for (const char* name : {"Faction", "ItemDisplayFlags", "Spell", "Talent", "TalentTab"}) {
        const std::string dbc = (folder / (std::string(name) + ".dbc")).string();
        const std::string ini = (folder / (std::string(name) + ".ini")).string();
        total.Add(CompareGuess(std::string("examples/") + name + ".dbc", dbc, KindsOfIni(ini)));
    }
    return total;
}

// A big Spell-like table: 16 string fields (texts with mostly empty alternates), 12 float
// fields, the rest integers of the sorts unnamed fields hold.
Tally SpellLike(const testing::TempDir& dir) {
    constexpr int kFields = 234;
    SpellLikeLayout layout;
    layout.FieldCount = kFields;
    for (int field = 0; field < 16; ++field) {
        layout.StringFields.push_back(136 + (field / 4) * 5 + field % 4);
    }
    layout.FloatFields = {35, 70, 71, 72, 109, 110, 111, 225, 226, 227, 228, 229};
    auto workspace = std::make_unique<Workspace>();
    DescribeSpellLikeFields(layout, workspace->Defs);
    FillSpellLikeTable(*workspace, kFields, 20'000, 4242);
    const std::string path = dir.File("SpellLike.dbc");
    SaveDbcFile(*workspace, path);
    std::vector<FieldKind> truth;
    for (int field = 0; field < kFields; ++field) {
        truth.push_back(workspace->Defs[field].Kind);
    }
    return CompareGuess("Spell-like, 20,000 x 234", path, truth);
}

// Made-up words, so text columns hold many distinct texts.
std::string Word(Random& random) {
    static const char* const syllables[] = {"ka", "ther", "mor", "vel", "an", "dros", "li", "un"};
    std::string word;
    const int count = random.Between(1, 4);
    for (int i = 0; i < count; ++i) {
        word += random.Pick(syllables);
    }
    return word;
}

// The sorts of columns the shapes below mix, each with cells of one kind.
enum class Sort { Id, Count, Flags, Mask, MinusOne, Reference, Text, SparseText, Float, Whole };

void AddColumn(testing::KnownKindsTable& table, Sort sort, int zeroPercent, Random& random) {
    const int records = table.RecordCount();
    std::vector<int32_t> integers;
    std::vector<float> floats;
    std::vector<std::string> texts;
    for (int record = 0; record < records; ++record) {
        const bool zero = random.Percent(zeroPercent);
        switch (sort) {
            case Sort::Id:
                integers.push_back(record + 1);
                break;
            case Sort::Count:
                integers.push_back(zero ? 0 : random.Between(1, 20));
                break;
            case Sort::Flags:
                integers.push_back(zero ? 0 : 1);
                break;
            case Sort::Mask:
                integers.push_back(zero ? 0 : static_cast<int32_t>(1u << random.Below(32)));
                break;
            case Sort::MinusOne:
                integers.push_back(zero ? -1 : random.Between(0, 5000));
                break;
            case Sort::Reference:
                integers.push_back(zero ? 0 : random.Between(1, 60000));
                break;
            case Sort::Text:
                texts.push_back(zero ? "" : Word(random));
                break;
            case Sort::SparseText:
                texts.push_back(random.Percent(5) ? Word(random) : "");
                break;
            case Sort::Float:
                floats.push_back(zero ? 0.0f : static_cast<float>(random.Between(1, 400000)) / 64);
                break;
            case Sort::Whole:
                floats.push_back(zero ? 0.0f : static_cast<float>(random.Between(1, 5)));
                break;
        }
    }
    if (!texts.empty()) {
        table.Texts(texts);
    } else if (!floats.empty()) {
        table.Floats(floats);
    } else {
        table.Integers(integers);
    }
}

struct Shape {
    const char* Name;
    int Records;
    int ZeroPercent;
    std::vector<Sort> Sorts;  // drawn from, one per column
    int Columns;
};

Tally Generated(const testing::TempDir& dir, const Shape& shape, uint32_t seed) {
    Random random(seed);
    testing::KnownKindsTable table(shape.Records);
    AddColumn(table, Sort::Id, 0, random);
    for (int column = 1; column < shape.Columns; ++column) {
        AddColumn(table, random.Pick(shape.Sorts), shape.ZeroPercent, random);
    }
    const std::string path = dir.File(std::string(shape.Name) + ".dbc");
    dir.Write(std::string(shape.Name) + ".dbc", table.FileBytes());
    return CompareGuess(std::string("generated ") + shape.Name, path, table.Kinds());
}

int Run() {
    const testing::TempDir dir;
    BundledExamples().Print("bundled examples in all");
    std::printf("\n");

    const std::vector<Sort> integerSorts = {Sort::Count, Sort::Flags, Sort::Mask, Sort::Reference,
                                            Sort::MinusOne};
    std::vector<Sort> mostlyIntegers = integerSorts;
    mostlyIntegers.insert(mostlyIntegers.end(), integerSorts.begin(), integerSorts.end());
    mostlyIntegers.insert(mostlyIntegers.end(), {Sort::Text, Sort::Float});
    const std::vector<Shape> shapes = {
        {"many-integers-some-texts-floats", 5000, 40, mostlyIntegers, 120},
        {"sparse-texts", 5000, 50, {Sort::SparseText, Sort::Count, Sort::Flags}, 60},
        {"whole-number-floats", 2000, 30, {Sort::Whole, Sort::Count, Sort::Reference}, 60},
        {"mostly-zero", 3000, 97, {Sort::Text, Sort::Float, Sort::Count, Sort::Mask}, 80},
        {"few-records", 3, 30, {Sort::Text, Sort::Float, Sort::Count, Sort::Flags}, 40},
        // Columns with a single non-zero cell or none: the hardest case, a value or two to go by.
        {"one-value-columns",
         40,
         98,
         {Sort::Text, Sort::Float, Sort::Count, Sort::Flags, Sort::Mask, Sort::Reference},
         200},
    };
    Tally generated = SpellLike(dir);
    for (size_t index = 0; index < shapes.size(); ++index) {
        generated.Add(Generated(dir, shapes[index], 77 + static_cast<uint32_t>(index)));
    }
    generated.Print("generated tables in all");
    return 0;
}

}  // namespace
}  // namespace kelvane::bench

int main() {
    try {
        return kelvane::bench::Run();
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        return 1;
    }
}
