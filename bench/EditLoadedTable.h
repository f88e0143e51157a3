#pragma once

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>
#include <string>

#include "bench/SpellLikeFile.h"
#include "bench/SpellLikePatch.h"
#include "core/workspace/Workspace.h"

namespace kelvane::bench {

// A file in the folder of the Spell-like table.
inline std::string FileBeside(const SpellLikeFile& file, const std::string& name) {
    return file.SavePath.substr(0, file.SavePath.find_last_of('/') + 1) + name;
}

// Runs edit on a freshly loaded Spell-like table per iteration, timing the edit alone; the
// table is freed and its memory given back between iterations, outside the timing.
template <typename Edit>
void EditLoadedTable(benchmark::State& state, const Edit& edit) {
    const SpellLikeFile& file = TheSpellLikeFile();
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<Workspace> workspace = LoadedWorkspace(file);
        state.ResumeTiming();
        edit(workspace->Table);
        state.PauseTiming();
        state.counters["records"] = workspace->Table.RecordCount();
        workspace.reset();
        ::malloc_trim(0);
        state.ResumeTiming();
    }
}

}  // namespace kelvane::bench
