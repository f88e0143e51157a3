// Loading a big Spell-like table, against the floor of reading its file and touching every cell
// once; saving it, against writing its bytes atomically.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench/GoalReporter.h"
#include "bench/HeapCounter.h"
#include "bench/SpellLikeFile.h"
#include "core/dbc/DbcFormat.h"
#include "core/dbc/DbcReader.h"
#include "core/files/ByteSource.h"
#include "core/files/FileByteSource.h"
#include "core/files/FileIo.h"
#include "core/files/MemoryByteSource.h"
#include "core/workspace/Workspace.h"
#include "core/workspace/WorkspaceFiles.h"

namespace kelvane::bench {
namespace {

constexpr double kMegabyte = 1e6;
constexpr size_t kChunkBytes = 1024 * 1024;  // the pieces the floor reads the records in

uint32_t CellAt(const char* bytes) {
    uint32_t cell = 0;
    std::memcpy(&cell, bytes, sizeof cell);
    return cell;
}

// Every 4-byte cell of every record, and every text byte a string cell leads to, read from
// the file in pieces of whole records.
uint64_t TouchEveryCell(ByteSource& file, const std::vector<int>& stringFields) {
    const std::string_view header = file.Read(0, DbcHeaderSize);
    const uint32_t recordCount = CellAt(header.data() + 4);
    const uint32_t fieldCount = CellAt(header.data() + 8);
    const size_t recordSize = CellAt(header.data() + 12);
    const uint32_t blockSize = CellAt(header.data() + 16);
    const std::string block(file.Read(file.Size() - blockSize, blockSize));
    const size_t chunkRecords = std::max<size_t>(1, kChunkBytes / recordSize);
    uint64_t sum = 0;
    for (size_t first = 0; first < recordCount; first += chunkRecords) {
        const size_t count = std::min<size_t>(chunkRecords, recordCount - first);
        const std::string_view records =
            file.Read(DbcHeaderSize + first * recordSize, count * recordSize);
        for (const char* cells = records.data(); cells < records.data() + records.size();
             cells += recordSize) {
            for (uint32_t field = 0; field < fieldCount; ++field) {
                sum += CellAt(cells + 4 * field);
            }
            for (const int field : stringFields) {
                for (const char* text = block.data() + CellAt(cells + 4 * field); *text != '\0';
                     ++text) {
                    sum += static_cast<unsigned char>(*text);
                }
            }
        }
    }
    return sum;
}

std::unique_ptr<Workspace> LoadedWorkspace(const SpellLikeFile& file) {
    auto workspace = std::make_unique<Workspace>();
    workspace->Current = file.Current;
    LoadDbcFile(*workspace, file.Current.FilePath, true, 0);
    return workspace;
}

// The least a load does: the file read once, in pieces into one reused buffer, so no memory
// of the file's size is ever touched, and every cell touched once.
void Floor(benchmark::State& state) {
    const SpellLikeFile& file = TheSpellLikeFile();
    for (auto _ : state) {
        FileByteSource source(file.Current.FilePath);
        benchmark::DoNotOptimize(TouchEveryCell(source, file.StringFields));
    }
    state.counters["file_MB"] = static_cast<double>(file.FileBytes) / kMegabyte;
}

// Not a goal, a yardstick: the same with the whole file read into memory first, which costs
// the pages of a buffer the file's size.
void FloorWholeFile(benchmark::State& state) {
    const SpellLikeFile& file = TheSpellLikeFile();
    for (auto _ : state) {
        const std::string bytes = ReadWholeFile(file.Current.FilePath, NamedBy::User);
        MemoryByteSource source(bytes);
        benchmark::DoNotOptimize(TouchEveryCell(source, file.StringFields));
    }
}

void LoadWithDefinitions(benchmark::State& state) {
    const SpellLikeFile& file = TheSpellLikeFile();
    // The table's memory, from one load outside the timing: the file's bytes are freed by then.
    const size_t heapBefore = LiveHeapBytes();
    std::unique_ptr<Workspace> measured = LoadedWorkspace(file);
    const double heapGrowth = static_cast<double>(LiveHeapBytes() - heapBefore);
    measured.reset();

    for (auto _ : state) {
        state.PauseTiming();
        auto workspace = std::make_unique<Workspace>();
        workspace->Current = file.Current;
        state.ResumeTiming();
        LoadDbcFile(*workspace, file.Current.FilePath, true, 0);
        state.PauseTiming();
        benchmark::DoNotOptimize(workspace->Table.RecordCount());
        workspace.reset();
        // Each load gets its memory from the system, as the first load of a run does, rather
        // than the pages the previous one left with the allocator.
        ::malloc_trim(0);
        state.ResumeTiming();
    }
    const auto fileBytes = static_cast<double>(file.FileBytes);
    state.counters["file_MB"] = fileBytes / kMegabyte;
    state.counters["table_heap_MB"] = heapGrowth / kMegabyte;
    state.counters["heap_per_file"] = heapGrowth / fileBytes;
}

void Save(benchmark::State& state) {
    const SpellLikeFile& file = TheSpellLikeFile();
    const std::unique_ptr<Workspace> workspace = LoadedWorkspace(file);
    for (auto _ : state) {
        SaveDbcFile(*workspace, file.SavePath);
    }
    state.counters["file_MB"] = static_cast<double>(file.FileBytes) / kMegabyte;
}

// The floor of Save: the same bytes written the way every save writes them
// (temporary file, flushed to disk, renamed over the target).
void WriteFileBytes(benchmark::State& state) {
    const SpellLikeFile& file = TheSpellLikeFile();
    const std::string bytes = ReadWholeFile(file.Current.FilePath, NamedBy::User);
    for (auto _ : state) {
        WriteFileAtomically(file.SavePath, bytes);
    }
}

BENCHMARK(Floor)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(FloorWholeFile)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(LoadWithDefinitions)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(Save)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(WriteFileBytes)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace kelvane::bench

int main(int argc, char** argv) {
    if (!kelvane::bench::InitializeBenchmarks(argc, argv)) {
        return 1;
    }
    kelvane::bench::GoalReporter reporter("Floor",
                                          {{"FloorWholeFile", 0},
                                           {"LoadWithDefinitions", 1.5},
                                           {"Save", 1.5, "WriteFileBytes"},
                                           {"WriteFileBytes", 0}},
                                          {"LoadWithDefinitions", "heap_per_file", 1.3});
    return kelvane::bench::RunBenchmarks(reporter);
}
