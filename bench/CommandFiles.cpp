// Writes the inputs of the command benchmark into a folder: the big Spell-like table with its
// field definitions, the kinds of its fields as one letter each for the floors, and the patches
// and script the bulk commands apply to it.
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include "bench/SpellLikeFile.h"
#include "bench/SpellLikePatch.h"
#include "bench/SpellLikeScript.h"
#include "core/Workspace.h"

namespace kelvane::bench {
namespace {

constexpr int kAddedRecords = 50'000;

char KindLetter(FieldKind kind) {
    switch (kind) {
        case FieldKind::ftString:
            return 's';
        case FieldKind::ftFloat:
            return 'f';
        case FieldKind::ftInteger:
            break;
    }
    return 'i';
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out.flush()) {
        throw std::runtime_error("cannot write " + path);
    }
}

void WriteInputs(const std::string& folder) {
    const SpellLikeFile file = WriteSpellLikeFile(folder);
    {
        const std::unique_ptr<Workspace> workspace = LoadedWorkspace(file);
        std::string kinds;
        for (int column = 1; column < workspace->Table.FieldCount(); ++column) {
            kinds += KindLetter(workspace->Table.ColumnKind(column));
        }
        WriteText(folder + "/Spell.kinds", kinds);
    }
    WriteText(folder + "/rows.txt", PatchOfChangesAndAdditions(file));
    WriteText(folder + "/three-cells.txt", PatchOfThreeCells(file));
    WriteText(folder + "/added.txt", PatchOfAdditions(file, kAddedRecords));
    WriteText(folder + "/spells.scp", ScriptOfSections(file));
}

}  // namespace
}  // namespace kelvane::bench

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: kelvane_bench_files FOLDER\n";
        return 2;
    }
    try {
        kelvane::bench::WriteInputs(argv[1]);
    } catch (const std::exception& error) {
        std::cerr << "kelvane_bench_files: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
