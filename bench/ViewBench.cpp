// Sorting and filtering the shown records of a big Spell-like table, each against the floor of
// the bare work on that column's values: a stable sort of the values with their record
// numbers, and a loop over the values collecting the record numbers that pass.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/CellTextMatcher.h"
#include "app/RecordView.h"
#include "bench/GoalReporter.h"
#include "bench/SpellLikeFile.h"
#include "bench/SpellLikePatch.h"
#include "core/table/ColumnPresentation.h"
#include "core/table/RecordTable.h"
#include "core/workspace/Workspace.h"

namespace kelvane::bench {
namespace {

constexpr int kSampleRows = 2000;

// The loaded table and the columns worked on: of each kind, the field column whose first
// records hold the most different values, so the sorts have work to do.
struct ViewTable {
    std::unique_ptr<Workspace> Work;
    int IntegerColumn = -1;
    int FloatColumn = -1;
    int StringColumn = -1;
    std::string ContainedText;
    int32_t RangeLow = 0;
    int32_t RangeHigh = 0;
};

int MostVariedColumn(const RecordTable& table, FieldKind kind) {
    int best = -1;
    size_t bestCount = 0;
    for (int column = 1; column < table.FieldCount(); ++column) {
        if (table.ColumnKind(column) != kind || table.Presentation(column).HexHooks) {
            continue;
        }
        std::set<std::string> texts;
        for (int row = 0; row < std::min(kSampleRows, table.RecordCount()); ++row) {
            texts.insert(table.CellText(row, column));
        }
        if (texts.size() > bestCount) {
            best = column;
            bestCount = texts.size();
        }
    }
    return best;
}

const ViewTable& TheViewTable() {
    static const ViewTable table = [] {
        ViewTable loaded;
        loaded.Work = LoadedWorkspace(TheSpellLikeFile());
        const RecordTable& records = loaded.Work->Table;
        loaded.IntegerColumn = MostVariedColumn(records, FieldKind::ftInteger);
        loaded.FloatColumn = MostVariedColumn(records, FieldKind::ftFloat);
        loaded.StringColumn = MostVariedColumn(records, FieldKind::ftString);
        // Two letters out of a text in the middle of the table, and the lower half of the
        // integers' span.
        const std::string middle = records.CellText(records.RecordCount() / 2, loaded.StringColumn);
        loaded.ContainedText = middle.substr(middle.size() / 2, 2);
        const ColumnStore& integers = records.ColumnStoreAt(loaded.IntegerColumn);
        const auto [low, high] =
            std::minmax_element(integers.Integers.begin(), integers.Integers.end());
        loaded.RangeLow = *low;
        loaded.RangeHigh = static_cast<int32_t>((static_cast<int64_t>(*low) + *high) / 2);
        return loaded;
    }();
    return table;
}

// Each value of the column with its record number, in table order.
template <typename Value, typename ValueOf>
std::vector<std::pair<Value, int>> NumberedValues(const RecordTable& table,
                                                  const ValueOf& valueOf) {
    std::vector<std::pair<Value, int>> values;
    const std::vector<uint32_t>& slots = table.RecordSlots();
    for (size_t row = 0; row < slots.size(); ++row) {
        values.emplace_back(valueOf(slots[row]), static_cast<int>(row));
    }
    return values;
}

template <typename Value>
void StableSortFloor(benchmark::State& state, const std::vector<std::pair<Value, int>>& values) {
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<std::pair<Value, int>> sorted = values;
        state.ResumeTiming();
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        benchmark::DoNotOptimize(sorted.data());
    }
}

void StableSortIntegers(benchmark::State& state) {
    const ViewTable& table = TheViewTable();
    const ColumnStore& store = table.Work->Table.ColumnStoreAt(table.IntegerColumn);
    StableSortFloor(state, NumberedValues<int32_t>(table.Work->Table, [&](uint32_t slot) {
                        return store.Integers[slot];
                    }));
}

void StableSortFloats(benchmark::State& state) {
    const ViewTable& table = TheViewTable();
    const ColumnStore& store = table.Work->Table.ColumnStoreAt(table.FloatColumn);
    StableSortFloor(state, NumberedValues<double>(table.Work->Table, [&](uint32_t slot) {
                        return store.Floats[slot];
                    }));
}

void StableSortStrings(benchmark::State& state) {
    const ViewTable& table = TheViewTable();
    const RecordTable& records = table.Work->Table;
    const ColumnStore& store = records.ColumnStoreAt(table.StringColumn);
    StableSortFloor(state, NumberedValues<std::string_view>(records, [&](uint32_t slot) {
                        return records.Strings().View(store.Strings[slot]);
                    }));
}

// The view sorted by the column, from file order each time.
void SortViewBy(benchmark::State& state, int column) {
    const ViewTable& table = TheViewTable();
    RecordView view(table.Work->Table);
    for (auto _ : state) {
        state.PauseTiming();
        view.SortBy(column, SortOrder::FileOrder);
        state.ResumeTiming();
        view.SortBy(column, SortOrder::Ascending);
    }
    state.counters["shown"] = view.ShownCount();
}

void SortViewByInteger(benchmark::State& state) {
    SortViewBy(state, TheViewTable().IntegerColumn);
}

void SortViewByFloat(benchmark::State& state) {
    SortViewBy(state, TheViewTable().FloatColumn);
}

void SortViewByString(benchmark::State& state) {
    SortViewBy(state, TheViewTable().StringColumn);
}

// The record numbers whose value passes, in one loop over the column.
template <typename Passes>
void LoopFloor(benchmark::State& state, const Passes& passes) {
    const std::vector<uint32_t>& slots = TheViewTable().Work->Table.RecordSlots();
    size_t passing = 0;
    for (auto _ : state) {
        std::vector<int> rows;
        for (size_t row = 0; row < slots.size(); ++row) {
            if (passes(slots[row])) {
                rows.push_back(static_cast<int>(row));
            }
        }
        passing = rows.size();
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["shown"] = static_cast<double>(passing);
}

void LoopContains(benchmark::State& state) {
    const ViewTable& table = TheViewTable();
    const RecordTable& records = table.Work->Table;
    const ColumnStore& store = records.ColumnStoreAt(table.StringColumn);
    const CellTextMatcher matcher(table.ContainedText, SearchMode::AnyPosition, false);
    LoopFloor(state, [&](uint32_t slot) {
        return matcher.Matches(records.Strings().View(store.Strings[slot]));
    });
}

void LoopRange(benchmark::State& state) {
    const ViewTable& table = TheViewTable();
    const ColumnStore& store = table.Work->Table.ColumnStoreAt(table.IntegerColumn);
    LoopFloor(state, [&](uint32_t slot) {
        const int32_t value = store.Integers[slot];
        return value >= table.RangeLow && value <= table.RangeHigh;
    });
}

void FilterView(benchmark::State& state, int column, const std::string& text) {
    RecordView view(TheViewTable().Work->Table);
    for (auto _ : state) {
        state.PauseTiming();
        view.SetFilter(column, "");
        state.ResumeTiming();
        view.SetFilter(column, text);
    }
    state.counters["shown"] = view.ShownCount();
}

void FilterViewContains(benchmark::State& state) {
    const ViewTable& table = TheViewTable();
    FilterView(state, table.StringColumn, table.ContainedText);
}

void FilterViewRange(benchmark::State& state) {
    const ViewTable& table = TheViewTable();
    FilterView(state, table.IntegerColumn,
               std::to_string(table.RangeLow) + ".." + std::to_string(table.RangeHigh));
}

BENCHMARK(StableSortIntegers)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(SortViewByInteger)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(StableSortFloats)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(SortViewByFloat)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(StableSortStrings)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(SortViewByString)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(LoopContains)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(FilterViewContains)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(LoopRange)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(FilterViewRange)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
}  // namespace kelvane::bench

int main(int argc, char** argv) {
    if (!kelvane::bench::InitializeBenchmarks(argc, argv)) {
        return 1;
    }
    kelvane::bench::GoalReporter reporter("StableSortIntegers",
                                          {{"SortViewByInteger", 2, "StableSortIntegers"},
                                           {"SortViewByFloat", 2, "StableSortFloats"},
                                           {"SortViewByString", 2, "StableSortStrings"},
                                           {"FilterViewContains", 2, "LoopContains"},
                                           {"FilterViewRange", 2, "LoopRange"}},
                                          {});
    return kelvane::bench::RunBenchmarks(reporter);
}
