// Reading a generated 3,000-line .dbd file and picking the layout that fits a table, against
// the floor of finding the text's line ends. Goal: finding the file in a definitions folder of
// 1,500 files, reading it and picking within 5 ms.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/GoalReporter.h"
#include "core/base/LittleEndian.h"
#include "core/definitions/DbdDefinitions.h"
#include "core/definitions/DbdLayoutChoice.h"
#include "core/definitions/DbdReader.h"
#include "core/files/MemoryByteSource.h"

namespace kelvane::bench {
namespace {

constexpr double kGoalMilliseconds = 5;
constexpr int kColumns = 120;
constexpr int kFieldsPerLayout = 45;
constexpr int kLines = 3000;

// Columns of every type, then layouts of one build each (alternately a range and a list) until
// the text has kLines lines. Layout n shifts which columns it uses, so the layouts differ.
std::string GeneratedDbd() {
    const char* types[] = {"int", "uint", "float", "string", "locstring", "int<Other::ID>"};
    std::string text = "COLUMNS\n";
    for (int column = 0; column < kColumns; ++column) {
        text += std::string(types[column % 6]) + " Column" + std::to_string(column) +
                (column % 7 == 0 ? "? // unverified name" : "") + "\n";
    }
    int lines = kColumns + 1;
    for (int layout = 0; lines + kFieldsPerLayout + 4 <= kLines; ++layout) {
        const std::string build = "1." + std::to_string(layout / 10) + "." +
                                  std::to_string(layout % 10) + "." + std::to_string(4000 + layout);
        text += "\nLAYOUT " + std::string(layout % 2 ? "0A1B2C3D" : "0A1B2C3D, 4E5F6071") + "\n";
        text += "BUILD " + build + (layout % 2 ? "-" + build : ", 0.5.3.3368") + "\n";
        text += "$id$Column0<32>\n";
        for (int field = 1; field < kFieldsPerLayout; ++field) {
            int column = 1 + (field + layout) % (kColumns - 1);
            std::string width = column % 6 < 2 ? (field % 3 ? "<32>" : "<u16>") : "";
            std::string array = field % 10 == 0 ? "[3]" : "";
            text += "Column" + std::to_string(column) + width + array +
                    (field % 5 == 0 ? " // a remark" : "") + "\n";
        }
        lines += kFieldsPerLayout + 3;
    }
    return text;
}

struct Generated {
    std::string Text;
    DbdLayoutRequest Request;
    std::string Dbc;  // a table of the fitting layout's size, without records
};

// A DBC file of that many fields and bytes a record, holding no records and only the empty text.
std::string EmptyDbc(int64_t fieldCount, int64_t recordBytes) {
    std::string bytes = "WDBC" + std::string(16, '\0') + std::string(1, '\0');
    StoreUint32Le(bytes.data() + 8, static_cast<uint32_t>(fieldCount));
    StoreUint32Le(bytes.data() + 12, static_cast<uint32_t>(recordBytes));
    StoreUint32Le(bytes.data() + 16, 1);
    return bytes;
}

const Generated& Input() {
    static const Generated input = [] {
        Generated generated;
        generated.Text = GeneratedDbd();
        DbdFile file = ReadDbdFile(generated.Text, "Generated.dbd");
        // The table fits the last layout; the chosen build is listed nowhere, so every layout
        // is measured before the fitting one is expanded.
        const DbdDefinition& last = file.Definitions.back();
        DbdBuild build = file.Builds[last.Builds.First].First;
        DbdLayoutSize size = MeasureDbdLayout(file, last, build);
        generated.Request = {
            "Generated.dbc", size.FieldCount, size.RecordBytes, DbdBuild{1, 99, 0, 1}, {}};
        generated.Dbc = EmptyDbc(size.FieldCount, size.RecordBytes);
        return generated;
    }();
    return input;
}

constexpr int kFolderFiles = 1500;

// A definitions folder as large as a real one: the generated file and small ones beside it.
// The table is asked for in lower case, so the folder is searched name by name.
class DefinitionsFolder {
  public:
    DefinitionsFolder() {
        char pattern[] = "/tmp/kelvane-dbd-bench-XXXXXX";
        path_ = ::mkdtemp(pattern);
        std::ofstream(path_ + "/Generated.dbd") << Input().Text;
        for (int file = 1; file < kFolderFiles; ++file) {
            std::ofstream(path_ + "/Table" + std::to_string(file) + ".dbd")
                << "COLUMNS\nint ID\n\nBUILD 1.12.1.5875\n$id$ID<32>\n";
        }
    }
    ~DefinitionsFolder() { std::filesystem::remove_all(path_); }
    DefinitionsFolder(const DefinitionsFolder&) = delete;
    DefinitionsFolder& operator=(const DefinitionsFolder&) = delete;

    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

void FindLineEnds(benchmark::State& state) {
    const std::string& text = Input().Text;
    for (auto _ : state) {
        size_t lines = 0;
        for (const char* at = text.data();
             (at = static_cast<const char*>(std::memchr(at, '\n', text.data() + text.size() - at)));
             ++at) {
            ++lines;
        }
        benchmark::DoNotOptimize(lines);
    }
}

void ReadDbd(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadDbdFile(Input().Text, "Generated.dbd"));
    }
}

void ReadDbdAndChooseLayout(benchmark::State& state) {
    DbdLayoutChoice choice;
    for (auto _ : state) {
        choice = ChooseDbdLayout(ReadDbdFile(Input().Text, "Generated.dbd"), Input().Request);
    }
    if (choice.Outcome == DbdChoiceOutcome::NoFit) {
        state.SkipWithError(choice.Message.c_str());
    }
    state.counters["fields"] = static_cast<double>(choice.Fields.size());
}

void FindReadAndChooseLayout(benchmark::State& state) {
    static const DefinitionsFolder folder;
    const DbdLayoutRequest& request = Input().Request;
    const DefinitionSettings settings{folder.Path(), request.Build};
    std::optional<DbdTableDefinitions> definitions;
    for (auto _ : state) {
        MemoryByteSource dbc(Input().Dbc);
        definitions = ReadDbdDefinitions(settings, "generated", dbc, "generated.dbc");
    }
    if (!definitions || definitions->Choice.Outcome == DbdChoiceOutcome::NoFit) {
        state.SkipWithError("the generated layout was not found or does not fit");
        return;
    }
    state.counters["fields"] = static_cast<double>(definitions->Defs.size());
}

BENCHMARK(FindLineEnds)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadDbd)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadDbdAndChooseLayout)->Unit(benchmark::kMillisecond);
BENCHMARK(FindReadAndChooseLayout)->Unit(benchmark::kMillisecond);

// The goal reporter's summary, then the one figure with a goal of its own in milliseconds.
class DbdReporter : public GoalReporter {
  public:
    DbdReporter()
        : GoalReporter(
              "FindLineEnds",
              {{"ReadDbd", 0}, {"ReadDbdAndChooseLayout", 0}, {"FindReadAndChooseLayout", 0}}, {}) {
    }

    void ReportRuns(const std::vector<Run>& runs) override {
        GoalReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (!run.error_occurred && run.run_type == Run::RT_Iteration &&
                run.run_name.function_name == "FindReadAndChooseLayout") {
                milliseconds_ = run.GetAdjustedRealTime() *
                                benchmark::GetTimeUnitMultiplier(benchmark::kMillisecond) /
                                benchmark::GetTimeUnitMultiplier(run.time_unit);
            }
        }
    }

    void PrintSummary() const {
        GoalReporter::PrintSummary();
        if (milliseconds_ > 0) {
            std::printf("  FindReadAndChooseLayout %.3f ms  goal %.0f ms  %s\n", milliseconds_,
                        kGoalMilliseconds, milliseconds_ <= kGoalMilliseconds ? "met" : "MISSED");
        }
    }

  private:
    double milliseconds_ = 0;
};

}  // namespace
}  // namespace kelvane::bench

int main(int argc, char** argv) {
    if (!kelvane::bench::InitializeBenchmarks(argc, argv)) {
        return 1;
    }
    kelvane::bench::DbdReporter reporter;
    return kelvane::bench::RunBenchmarks(reporter);
}
