// Exporting a big Spell-like table as comma-separated and as patch text, applying a patch of
// as many lines as it has records, and reading the table's own comma-separated export back into
// it, against loading the table.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "bench/EditLoadedTable.h"
#include "bench/GoalReporter.h"
#include "bench/SpellLikeFile.h"
#include "bench/SpellLikePatch.h"
#include "core/files/TextFile.h"
#include "core/workspace/Workspace.h"
#include "core/workspace/WorkspaceFiles.h"
#include "exchange/CsvImport.h"
#include "exchange/PatchReader.h"
#include "exchange/PatchText.h"
#include "exchange/TextExport.h"

namespace kelvane::bench {
namespace {

constexpr double kMegabyte = 1e6;

// The floor: the table loaded from its file with the definitions beside it.
void LoadWithDefinitions(benchmark::State& state) {
    const SpellLikeFile& file = TheSpellLikeFile();
    for (auto _ : state) {
        state.PauseTiming();
        auto workspace = std::make_unique<Workspace>();
        workspace->Current = file.Current;
        state.ResumeTiming();
        LoadDbcFile(*workspace, file.Current.FilePath, true, 0);
        state.PauseTiming();
        benchmark::DoNotOptimize(workspace->Table.RecordCount());
        workspace.reset();
        ::malloc_trim(0);
        state.ResumeTiming();
    }
    state.counters["file_MB"] = static_cast<double>(file.FileBytes) / kMegabyte;
}

void ExportCsvAll(benchmark::State& state) {
    const SpellLikeFile& file = TheSpellLikeFile();
    const std::unique_ptr<Workspace> workspace = LoadedWorkspace(file);
    const std::string path = FileBeside(file, "Spell.csv");
    for (auto _ : state) {
        WriteTextLines(path, ExportAllLines(workspace->Table));
    }
}

// Not a goal, a yardstick for ExportCsvAll: writing its lines alone, the way every text file
// is written (temporary file, flushed to disk, renamed over the target).
void WriteCsvLines(benchmark::State& state) {
    const SpellLikeFile& file = TheSpellLikeFile();
    const std::unique_ptr<Workspace> workspace = LoadedWorkspace(file);
    const std::string path = FileBeside(file, "Spell.csv");
    const std::vector<std::string> lines = ExportAllLines(workspace->Table);
    size_t bytes = 0;
    for (const std::string& line : lines) {
        bytes += line.size() + 2;
    }
    for (auto _ : state) {
        WriteTextLines(path, lines);
    }
    state.counters["text_MB"] = static_cast<double>(bytes) / kMegabyte;
}

void ExportPatchAll(benchmark::State& state) {
    const SpellLikeFile& file = TheSpellLikeFile();
    const std::unique_ptr<Workspace> workspace = LoadedWorkspace(file);
    const std::string path = FileBeside(file, "Spell-patch.txt");
    int unreadable = 0;
    for (auto _ : state) {
        const PatchExport exported = ExportPatchAll(workspace->Table);
        WriteTextLines(path, exported.Lines);
        unreadable = exported.ReadBack.ProblemCount();
    }
    state.counters["unreadable_lines"] = unreadable;
}

void ApplyPatch(benchmark::State& state) {
    const std::string patch = PatchOfChangesAndAdditions(TheSpellLikeFile());
    PatchApplyReport report;
    EditLoadedTable(state, [&](RecordTable& table) { report = ApplyPatchText(table, patch); });
    state.counters["lines"] = report.LinesApplied;
    state.counters["added"] = report.RecordsAdded;
    state.counters["patch_MB"] = static_cast<double>(patch.size()) / kMegabyte;
}

// Every record of the file is read, staged and compared with the table's own; none changes.
void ImportCsvAll(benchmark::State& state) {
    const SpellLikeFile& file = TheSpellLikeFile();
    const std::string path = FileBeside(file, "Spell-header.csv");
    {
        const std::unique_ptr<Workspace> exported = LoadedWorkspace(file);
        std::vector<std::string> lines = ExportAllLines(exported->Table);
        lines.insert(lines.begin(), HeaderLine(exported->Table));
        WriteTextLines(path, lines);
    }
    CsvImportReport report;
    EditLoadedTable(state, [&](RecordTable& table) {
        report = ImportCsvFile(table, path, true, ImportMatch::ByKey);
    });
    state.counters["records"] = report.RowsRead;
    state.counters["unchanged"] = report.Merge.RecordsUnchanged;
}

BENCHMARK(LoadWithDefinitions)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(ExportCsvAll)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(WriteCsvLines)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ExportPatchAll)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ApplyPatch)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ImportCsvAll)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace kelvane::bench

int main(int argc, char** argv) {
    if (!kelvane::bench::InitializeBenchmarks(argc, argv)) {
        return 1;
    }
    kelvane::bench::GoalReporter reporter(
        "LoadWithDefinitions",
        {{"ExportCsvAll", 2},
         {"WriteCsvLines", 0},
         {"ExportPatchAll", 2},
         {"ApplyPatch", 2},
         // A few seconds for the 100,000 x 234 table: a few times what writing the text took.
         {"ImportCsvAll", 6, "ExportCsvAll"}},
        {});
    return kelvane::bench::RunBenchmarks(reporter);
}
