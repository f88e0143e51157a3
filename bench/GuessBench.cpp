// Guessing the kinds of the big generated table's fields from the table loaded as integers,
// against the floor of one pass over all its cells.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "bench/GoalReporter.h"
#include "bench/SpellLikeFile.h"
#include "core/definitions/FieldKindGuess.h"
#include "core/workspace/FileKindGuess.h"
#include "core/workspace/Workspace.h"

namespace kelvane::bench {
namespace {

const Workspace& IntegerTable() {
    static const std::unique_ptr<Workspace> workspace = [] {
        auto loaded = std::make_unique<Workspace>();
        LoadDbcFileAsIntegers(*loaded, TheSpellLikeFile().Current.FilePath);
        return loaded;
    }();
    return *workspace;
}

void SumAllCells(benchmark::State& state) {
    const RecordTable& table = IntegerTable().Table;
    for (auto _ : state) {
        uint32_t sum = 0;
        for (int column = 1; column < table.FieldCount(); ++column) {
            const ColumnVector<int32_t>& cells = table.ColumnStoreAt(column).Integers;
            for (const uint32_t slot : table.RecordSlots()) {
                sum += static_cast<uint32_t>(cells[slot]);
            }
        }
        benchmark::DoNotOptimize(sum);
    }
}

void GuessKinds(benchmark::State& state) {
    const Workspace& workspace = IntegerTable();
    FieldKindGuess guess;
    for (auto _ : state) {
        guess = GuessFieldKinds(workspace.Table, workspace.FileLayout);
    }
    state.counters["texts"] = guess.TextColumns;
    state.counters["floats"] = guess.FloatColumns;
}

BENCHMARK(SumAllCells)->Unit(benchmark::kMillisecond);
BENCHMARK(GuessKinds)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kelvane::bench

int main(int argc, char** argv) {
    if (!kelvane::bench::InitializeBenchmarks(argc, argv)) {
        return 1;
    }
    kelvane::bench::GoalReporter reporter("SumAllCells", {{"GuessKinds", 0}}, {});
    return kelvane::bench::RunBenchmarks(reporter);
}
