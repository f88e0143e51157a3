// Taking back a patch import of as many lines as the big Spell-like table has records (half of
// them edit a cell, half add a record), against the import itself with the undo history
// listening, as the editor imports.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>
#include <string>

#include "bench/GoalReporter.h"
#include "bench/HeapCounter.h"
#include "bench/SpellLikePatch.h"
#include "core/undo/UndoHistory.h"
#include "core/undo/UndoStep.h"
#include "exchange/PatchReader.h"

namespace kelvane::bench {
namespace {

constexpr double kMegabyte = 1e6;

// The editor's import: one step of the history.
PatchApplyReport ImportPatch(RecordTable& table, const std::string& patch) {
    const UndoStep step(table, "Import Patch");
    return ApplyPatchText(table, patch);
}

const std::string& ThePatch() {
    static const std::string patch = PatchOfChangesAndAdditions(TheSpellLikeFile());
    return patch;
}

// Heap the import itself takes (records added, texts), without a history.
size_t ImportGrowthWithoutHistory() {
    const std::string& patch = ThePatch();
    const std::unique_ptr<Workspace> workspace = LoadedWorkspace(TheSpellLikeFile());
    const size_t before = LiveHeapBytes();
    ImportPatch(workspace->Table, patch);
    workspace->Table.FinishEditing();
    return LiveHeapBytes() - before;
}

// The floor; its counters say what the history holds: its heap beyond the import's own growth,
// per changed cell or added record.
void ImportPatchWithHistory(benchmark::State& state) {
    const size_t growthAlone = ImportGrowthWithoutHistory();
    PatchApplyReport report;
    size_t historyBytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<Workspace> workspace = LoadedWorkspace(TheSpellLikeFile());
        auto history = std::make_unique<UndoHistory>(workspace->Table);
        const size_t before = LiveHeapBytes();
        state.ResumeTiming();
        report = ImportPatch(workspace->Table, ThePatch());
        workspace->Table.FinishEditing();
        state.PauseTiming();
        historyBytes = LiveHeapBytes() - before - growthAlone;
        history.reset();
        workspace.reset();
        ::malloc_trim(0);
        state.ResumeTiming();
    }
    // Each edited record changes one cell; each added record is one change.
    const double changes = report.LinesApplied;
    state.counters["lines"] = report.LinesApplied;
    state.counters["added"] = report.RecordsAdded;
    state.counters["history_MB"] = static_cast<double>(historyBytes) / kMegabyte;
    state.counters["history_bytes_per_change"] = static_cast<double>(historyBytes) / changes;
}

void UndoPatchImport(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<Workspace> workspace = LoadedWorkspace(TheSpellLikeFile());
        auto history = std::make_unique<UndoHistory>(workspace->Table);
        ImportPatch(workspace->Table, ThePatch());
        workspace->Table.FinishEditing();
        state.ResumeTiming();
        history->Undo();
        state.PauseTiming();
        benchmark::DoNotOptimize(workspace->Table.RecordCount());
        history.reset();
        workspace.reset();
        ::malloc_trim(0);
        state.ResumeTiming();
    }
}

BENCHMARK(ImportPatchWithHistory)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(UndoPatchImport)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace kelvane::bench

int main(int argc, char** argv) {
    if (!kelvane::bench::InitializeBenchmarks(argc, argv)) {
        return 1;
    }
    kelvane::bench::GoalReporter reporter(
        "ImportPatchWithHistory", {{"UndoPatchImport", 1}},
        {"ImportPatchWithHistory", "history_bytes_per_change", 256});
    return kelvane::bench::RunBenchmarks(reporter);
}
