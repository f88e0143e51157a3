#include "bench/SpellLikeScript.h"

#include <memory>

#include "bench/SpellLikePatch.h"
#include "core/table/RecordTable.h"
#include "core/workspace/Workspace.h"

namespace kelvane::bench {
namespace {

constexpr size_t kScriptBytes = 12'000'000;
constexpr int kKeysPerSection = 18;

}  // namespace

// Sections that each set a few cells of every kind by column name, as a server's
// script sets the columns it knows.
std::string ScriptOfSections(const SpellLikeFile& file) {
    const std::unique_ptr<Workspace> workspace = LoadedWorkspace(file);
    const RecordTable& table = workspace->Table;
    uint32_t random = 7;
    const auto next = [&random](uint32_t below) {
        random = random * 1664525U + 1013904223U;
        return (random >> 8) % below;
    };
    const auto firstCell = static_cast<uint32_t>(2);
    const auto cells = static_cast<uint32_t>(table.FieldCount()) - firstCell;
    std::string text;
    for (int section = 0; text.size() < kScriptBytes; ++section) {
        text += "[spell " + std::to_string(1000 + section) + "]\r\n";
        for (int key = 0; key < kKeysPerSection; ++key) {
            const int column = static_cast<int>(firstCell + next(cells));
            text += table.ColumnName(column) + "=";
            switch (table.ColumnKind(column)) {
                case FieldKind::ftString:
                    text += "Some spell text " + std::to_string(next(1000));
                    break;
                case FieldKind::ftFloat:
                    text += std::to_string(next(10000)) + ".25";
                    break;
                case FieldKind::ftInteger:
                    text += std::to_string(next(5000));
                    break;
            }
            text += "\r\n";
        }
    }
    return text;
}

}  // namespace kelvane::bench
