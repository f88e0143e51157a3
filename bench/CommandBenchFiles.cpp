// Writes the inputs of the whole-process benchmark into a folder: the big Spell-like table with
// its definitions, three patches (every cell of every record changed, three cells of every
// record, 50,000 new records), a record script for the generic script import, and two SQLite
// databases of the table: as it is, and with every value but the keys changed.
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "bench/SpellLikeBenchLayout.h"
#include "bench/SpellLikeFile.h"
#include "bench/SpellLikePatch.h"
#include "core/table/Field.h"
#include "core/workspace/Workspace.h"
#include "databases/SqliteExport.h"
#include "exchange/PatchText.h"

namespace kelvane::bench {
namespace {

constexpr int kKeyColumn = 1;
constexpr int kAddedRecords = 50'000;
constexpr int kChangedCells = 3;
constexpr int kScriptSections = 60'000;
constexpr int kScriptKeys = 20;

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary);
    file << text;
    if (!file.flush()) {
        throw std::runtime_error("cannot write " + path);
    }
    std::cerr << "Wrote " << path << ": " << text.size() << " bytes\n";
}

// The same layout filled from another seed: every value differs.
std::unique_ptr<Workspace> OtherSeedWorkspace() {
    auto workspace = std::make_unique<Workspace>();
    workspace->Current.TableName = "Spell";
    DescribeSpellLikeFields(SpellLikeBenchLayout(), workspace->Defs);
    FillSpellLikeTable(*workspace, kSpellLikeFields, kSpellLikeRecords, kSpellLikeSeed + 1);
    return workspace;
}

// Gives other's records, in table order, the keys of table's, so that every one of them
// changes a record of table when imported into it.
void TakeKeys(RecordTable& other, const RecordTable& table) {
    for (int row = 0; row < table.RecordCount(); ++row) {
        other.MoveTo(row);
        other.Edit();
        other.Fields(kKeyColumn).SetAsInteger(table.IntegerAt(row, kKeyColumn));
        other.Post();
    }
}

void WriteDatabase(Workspace& workspace, const std::string& path) {
    ExportSqlite(workspace, path);
    std::cerr << "Wrote " << path << "\n";
}

std::string Rekeyed(const std::string& line, int32_t key) {
    return std::to_string(key) + line.substr(line.find(':'));
}

// The key and the first pairs of a row line; the first columns after the key hold integers,
// so no pair separator can stand inside a value there.
std::string FirstPairs(const std::string& line, int pairs) {
    size_t end = line.find(':');
    for (int pair = 0; pair < pairs && end != std::string::npos; ++pair) {
        end = line.find(',', end + 1);
    }
    return line.substr(0, end);
}

// Sections of new records setting integer columns by name, as a record script has them.
std::string RecordScript(int32_t firstKey) {
    std::string text;
    for (int section = 0; section < kScriptSections; ++section) {
        const int32_t key = firstKey + section;
        text += "[spell " + std::to_string(key) + "]\r\nID=" + std::to_string(key) + "\r\n";
        for (int name = 1; name <= kScriptKeys; ++name) {
            text += std::to_string(name) + "=" + std::to_string((key * 7 + name) % 1000) + "\r\n";
        }
    }
    return text;
}

void WriteInputs(const std::string& folder) {
    const SpellLikeFile file = WriteSpellLikeFile(folder);
    const std::unique_ptr<Workspace> workspace = LoadedWorkspace(file);
    const RecordTable& table = workspace->Table;
    const std::unique_ptr<Workspace> other = OtherSeedWorkspace();
    const std::vector<std::string> lines = ExportPatchAll(other->Table).Lines;

    std::string full;
    std::string cells;
    int32_t newKey = 0;
    for (int row = 0; row < table.RecordCount(); ++row) {
        const int32_t key = table.IntegerAt(row, kKeyColumn);
        newKey = std::max(newKey, key + 1);
        const std::string line = Rekeyed(lines[static_cast<size_t>(row)], key);
        full += line + "\r\n";
        cells += FirstPairs(line, kChangedCells) + "\r\n";
    }
    std::string added;
    for (int row = 0; row < kAddedRecords; ++row) {
        added += Rekeyed(lines[static_cast<size_t>(row)], newKey + row) + "\r\n";
    }
    WriteText(folder + "/full.patch.txt", full);
    WriteText(folder + "/cells.patch.txt", cells);
    WriteText(folder + "/added.patch.txt", added);
    WriteText(folder + "/records.scp", RecordScript(newKey));
    WriteDatabase(*workspace, folder + "/Spell.db");
    TakeKeys(other->Table, table);
    WriteDatabase(*other, folder + "/changed.db");
}

}  // namespace
}  // namespace kelvane::bench

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " FOLDER\n";
        return 1;
    }
    try {
        kelvane::bench::WriteInputs(argv[1]);
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        return 1;
    }
    return 0;
}
