#include "import/LootTemplates.h"

#include <bit>
#include <filesystem>
#include <system_error>
#include <unordered_map>
#include <utility>

#include "core/base/KelvaneError.h"
#include "core/base/LittleEndian.h"
#include "core/base/TextUtil.h"
#include "core/dbc/DbcFormat.h"
#include "core/files/AtomicFileBatch.h"
#include "core/files/TablePaths.h"
#include "import/LootFileName.h"
#include "import/ScriptNumbers.h"
#include "import/ScriptSyntax.h"

namespace kelvane {
namespace {

constexpr int32_t kLootFieldCount = 2;
constexpr int32_t kLootRecordSize = 8;
// A loot line whose item reads -1 is left out of the file.
constexpr int32_t kNoItem = -1;

void AppendUint32(std::string& bytes, uint32_t value) {
    char cell[4];
    StoreUint32Le(cell, value);
    bytes.append(cell, sizeof cell);
}

}  // namespace

std::string LootTemplateFolder(const std::string& scriptPath) {
    return JoinPath(FolderOfPath(scriptPath), "loottemplates");
}

std::string LootTableBytes(const ScriptLines& lines, const ScriptSection& section) {
    std::string records;
    for (int index = section.BodyBegin; index < section.BodyEnd; ++index) {
        const std::string_view line = lines.Line(index);
        if (LineKey(line) != "loot") {
            continue;
        }
        const int32_t item = IntegerValue(line);
        if (item == kNoItem) {
            continue;
        }
        AppendUint32(records, static_cast<uint32_t>(item));
        AppendUint32(records, std::bit_cast<uint32_t>(LootChance(line)));
    }
    std::string bytes;
    bytes.reserve(DbcHeaderSize + records.size());
    AppendDbcHeader(bytes, {static_cast<int32_t>(records.size() / kLootRecordSize), kLootFieldCount,
                            kLootRecordSize, 0});
    bytes += records;
    return bytes;
}

namespace {

// The sections that wrote one file, and the entries of the last of them, which it keeps.
struct LootFileCount {
    int Sections = 0;
    int Entries = 0;
};

// Adds the file of every section with a usable id to the batch, and counts them. A later
// section with an id replaces the earlier one's file, so each file counts once, with the
// entries of its last section.
void AddLootFiles(const ScriptLines& lines, const std::string& folder, AtomicFileBatch& files,
                  LootImportReport& report) {
    bool folderMade = false;
    std::unordered_map<std::string, LootFileCount> filesById;
    for (const ScriptSection& section : lines.Sections()) {
        const std::string_view rawId = SectionId(lines.Line(section.Header));
        if (rawId == UnknownText) {
            continue;
        }
        const std::string id(TrimBlanks(rawId));
        if (!IsPlainFileNamePart(id)) {
            report.SkippedIds.push_back(id);
            continue;
        }
        if (!folderMade) {
            // When making it fails, writing the first file fails with the reason.
            std::error_code ignored;
            std::filesystem::create_directory(folder, ignored);
            folderMade = true;
        }
        const std::string bytes = LootTableBytes(lines, section);
        files.Add(JoinPath(folder, "loott" + id + ".dbc"), bytes);
        const int entries = static_cast<int>((bytes.size() - DbcHeaderSize) / kLootRecordSize);
        LootFileCount& count = filesById[id];
        if (++count.Sections == 2) {
            report.RepeatedIds.push_back(id);
        }
        report.EntriesWritten += entries - std::exchange(count.Entries, entries);
    }
    report.FilesWritten = static_cast<int>(filesById.size());
}

// Commits what a failed run had written, keeping the failure that ended it as the one
// reported.
void CommitQuietly(AtomicFileBatch& files) {
    try {
        files.Commit();
    } catch (const KelvaneError&) {
    }
}

}  // namespace

LootImportReport ImportLootTemplates(const std::string& scriptPath) {
    const ScriptLines lines = ScriptLines::Load(scriptPath);
    const std::string folder = LootTemplateFolder(scriptPath);
    LootImportReport report;
    // One flush for all files instead of one each: thousands of sections are common.
    AtomicFileBatch files;
    report.NulCut = lines.NulCut();
    try {
        AddLootFiles(lines, folder, files, report);
    } catch (const KelvaneError&) {
        // The files written before the failure stay, as they would one by one.
        CommitQuietly(files);
        throw;
    }
    files.Commit();
    return report;
}

}  // namespace kelvane
