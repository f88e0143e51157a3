// Bulk edits of the big Spell-like table read from files: a patch setting three cells of every
// record, a patch adding 50,000 records, and a 12 MB script imported as new records, each
// against loading the table. An edit of a few cells costs no more than those cells; the added
// records' 11.7 million cells and the script's 1.1 million values are parsed from text, which
// bounds those two.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>
#include <string>
#include <vector>

#include "bench/EditLoadedTable.h"
#include "bench/GoalReporter.h"
#include "bench/SpellLikeFile.h"
#include "bench/SpellLikePatch.h"
#include "bench/SpellLikeScript.h"
#include "core/files/FileIo.h"
#include "core/table/RecordTable.h"
#include "core/workspace/Workspace.h"
#include "exchange/PatchReader.h"
#include "import/ScriptImports.h"

namespace kelvane::bench {
namespace {

constexpr double kMegabyte = 1e6;
constexpr int kAddedRecords = 50000;

// The floor: the table loaded from its file with the definitions beside it.
void LoadTable(benchmark::State& state) {
    const SpellLikeFile& file = TheSpellLikeFile();
    for (auto _ : state) {
        std::unique_ptr<Workspace> workspace = LoadedWorkspace(file);
        state.PauseTiming();
        benchmark::DoNotOptimize(workspace->Table.RecordCount());
        workspace.reset();
        ::malloc_trim(0);
        state.ResumeTiming();
    }
}

void ApplyPatchFileOf(benchmark::State& state, const std::string& name, const std::string& text) {
    const std::string path = FileBeside(TheSpellLikeFile(), name);
    WriteFileAtomically(path, text);
    EditLoadedTable(state, [&](RecordTable& table) { ApplyPatchFile(table, path); });
    state.counters["patch_MB"] = static_cast<double>(text.size()) / kMegabyte;
}

void ApplyThreeCellsPerLine(benchmark::State& state) {
    ApplyPatchFileOf(state, "three-cells.txt", PatchOfThreeCells(TheSpellLikeFile()));
}

void ApplyAddingRecords(benchmark::State& state) {
    ApplyPatchFileOf(state, "additions.txt", PatchOfAdditions(TheSpellLikeFile(), kAddedRecords));
}

void ImportScpScript(benchmark::State& state) {
    const std::string text = ScriptOfSections(TheSpellLikeFile());
    const std::string path = FileBeside(TheSpellLikeFile(), "spells.scp");
    WriteFileAtomically(path, text);
    EditLoadedTable(state,
                    [&](RecordTable& table) { ImportScriptFile(table, ScriptImport::Scp, path); });
    state.counters["script_MB"] = static_cast<double>(text.size()) / kMegabyte;
}

BENCHMARK(LoadTable)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(ApplyThreeCellsPerLine)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ApplyAddingRecords)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ImportScpScript)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace kelvane::bench

int main(int argc, char** argv) {
    if (!kelvane::bench::InitializeBenchmarks(argc, argv)) {
        return 1;
    }
    kelvane::bench::GoalReporter reporter(
        "LoadTable",
        {{"ApplyThreeCellsPerLine", 1}, {"ApplyAddingRecords", 8}, {"ImportScpScript", 4}}, {});
    return kelvane::bench::RunBenchmarks(reporter);
}
