// Importing big generated server scripts: a loot template file into its small DBC files, and a
// quest file into a quest table, each at two sizes to show the time grows with the file. Goal:
// each import of the full-size file within one second.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "bench/GoalReporter.h"
#include "core/files/FileIo.h"
#include "core/table/RecordTable.h"
#include "import/LootTemplates.h"
#include "import/ScriptImports.h"
#include "import/ScriptLines.h"
#include "tests/support/TempDir.h"

namespace kelvane::bench {
namespace {

constexpr double kMegabyte = 1e6;
constexpr double kGoalMilliseconds = 1000;
constexpr int kLootSections = 5000;
constexpr int kLootLinesPerSection = 140;  // 700,000 loot lines in all
constexpr int kQuestSections = 3000;

const testing::TempDir& Folder() {
    static const testing::TempDir folder;
    return folder;
}

// A loot template file as a server keeps it: remarks on headers, comment lines, CR LF.
std::string LootScript(int sections) {
    std::string text = "// loot templates\r\n#include loottemplates2.scp\r\n";
    for (int section = 0; section < sections; ++section) {
        text += "[loottemplate " + std::to_string(10000 + section) + "] // Copper Vein\r\n";
        for (int line = 0; line < kLootLinesPerSection; ++line) {
            text += "loot=" + std::to_string(1000 + (section * 7 + line * 13) % 30000) + " " +
                    std::to_string(line % 100) + "." + std::to_string(line % 10) + "\r\n";
        }
    }
    return text;
}

// Every kind of quest key: numbered lists, the location, the word keys (the trade skill the
// last of its list), plain columns of each kind, and a key without a column.
std::string QuestScript(int sections) {
    std::string text = "// quests\r\n";
    for (int section = 0; section < sections; ++section) {
        const std::string n = std::to_string(section);
        text += "[quest " + n + "] // a quest\r\n";
        text += "Title=The Lost Things of Valley " + n + "\r\n";
        text += "Details=Bring me ten things, stranger, and be quick about it. // note\r\n";
        text += "Level=" + std::to_string(section % 60) + "\r\nMoneyFactor=1.25\r\n";
        text += "Location=0, -8913.2, 554.6, 93.1\r\n";
        text += "ReputationObjective=72,3000\r\nReputationObjective=76, 1500\r\n";
        text += "RewardItem=2589, 5\r\nRewardItem=2592,1\r\nRewardItem=0A1F,2\r\n";
        text += "RewardItemChoice=6070,1\r\nRewardItemChoice=6071,1\r\n";
        text += "DeliverObjective=745,10\r\nDeliverObjective=746,1\r\n";
        text += "KillObjective{MOB}=299,8\r\nKillObjective{OBJ}=1234,1\r\n";
        text += "Complexity=Elite\r\nRequiresRace=Human Dwarf NightElf\r\n";
        text += "RequiresClass=Priest, Mage\r\nQuestBehavior=Kill Repeatable\r\n";
        text += "RequiresTradeSkill=Unarmed 75\r\nObsoleteKey=5\r\n// end of quest\r\n";
    }
    return text;
}

void BuildQuestTable(RecordTable& table) {
    table.ClearFieldDefs();
    table.AddFieldDef("Index", FieldKind::ftInteger, true);
    auto add = [&table](const std::string& name, FieldKind kind = FieldKind::ftInteger) {
        table.AddFieldDef(name, kind, false);
    };
    add("entry");
    add("Title", FieldKind::ftString);
    add("Details", FieldKind::ftString);
    add("Level");
    add("MoneyFactor", FieldKind::ftFloat);
    for (const char* name : {"ma", "mx", "my", "mz"}) {
        add(name, FieldKind::ftFloat);
    }
    for (const std::string n : {"1", "2", "3"}) {
        add("faction_" + n);
        add("faction_min_req_" + n);
        for (const std::string list : {"reward_item_", "reward_choice_", "deliver_", "NpcObj_"}) {
            add(list + n);
            add(list + n + "_amount");
        }
    }
    for (const char* name :
         {"Complexity", "RequiresRace", "RequiresClass", "QuestBehavior", "RequiresTradeSkill"}) {
        add(name);
    }
    table.OpenEmpty();
}

// The script of one benchmark, written once per size.
std::string ScriptFile(const std::string& name, int sections, std::string (*generate)(int)) {
    static std::set<std::string> written;
    const std::string fileName = name + std::to_string(sections) + ".scp";
    if (written.insert(fileName).second) {
        Folder().Write(fileName, generate(sections));
    }
    return Folder().File(fileName);
}

void SetFileCounters(benchmark::State& state, const std::string& path) {
    const size_t bytes = ReadWholeFile(path, NamedBy::User).size();
    state.counters["file_MB"] = static_cast<double>(bytes) / kMegabyte;
    state.counters["MB_per_s"] = benchmark::Counter(static_cast<double>(bytes) / kMegabyte,
                                                    benchmark::Counter::kIsIterationInvariantRate);
}

// The whole command: reading the script and writing every file atomically.
void ImportLoot(benchmark::State& state) {
    const std::string path = ScriptFile("loot", static_cast<int>(state.range(0)), LootScript);
    LootImportReport report;
    for (auto _ : state) {
        report = ImportLootTemplates(path);
    }
    state.counters["files"] = report.FilesWritten;
    state.counters["entries"] = report.EntriesWritten;
    SetFileCounters(state, path);
}

// Not a goal, a yardstick for ImportLoot: the same without the file system, every file's bytes
// built in memory.
void BuildLootFiles(benchmark::State& state) {
    const std::string path = ScriptFile("loot", static_cast<int>(state.range(0)), LootScript);
    for (auto _ : state) {
        const ScriptLines lines = ScriptLines::Load(path);
        size_t bytes = 0;
        for (const ScriptSection& section : lines.Sections()) {
            bytes += LootTableBytes(lines, section).size();
        }
        benchmark::DoNotOptimize(bytes);
    }
    SetFileCounters(state, path);
}

void ImportQuests(benchmark::State& state) {
    const std::string path = ScriptFile("quests", static_cast<int>(state.range(0)), QuestScript);
    ImportReport report;
    for (auto _ : state) {
        state.PauseTiming();
        auto table = std::make_unique<RecordTable>();
        BuildQuestTable(*table);
        state.ResumeTiming();
        report = ImportScriptFile(*table, ScriptImport::Quests, path);
        state.PauseTiming();
        table.reset();
        state.ResumeTiming();
    }
    state.counters["records"] = report.RecordsAppended;
    state.counters["lines_passed_over"] = report.LinesPassedOver;
    SetFileCounters(state, path);
}

BENCHMARK(ImportLoot)
    ->Arg(kLootSections / 2)
    ->Arg(kLootSections)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BuildLootFiles)
    ->Arg(kLootSections / 2)
    ->Arg(kLootSections)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(ImportQuests)
    ->Arg(kQuestSections / 2)
    ->Arg(kQuestSections)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

// The usual console output, then for each import its time at both sizes, how much the larger
// size costs per megabyte against the smaller, and the goal at the full size.
class ImportReporter : public benchmark::ConsoleReporter {
  public:
    ImportReporter() : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration) {
                continue;
            }
            Figures& figures = figures_[run.run_name.function_name];
            figures.Sizes.push_back({run.GetAdjustedRealTime() *
                                         benchmark::GetTimeUnitMultiplier(benchmark::kMillisecond) /
                                         benchmark::GetTimeUnitMultiplier(run.time_unit),
                                     run.counters.at("file_MB").value});
        }
    }

    void PrintSummary() const {
        std::printf("\nImports at two sizes (goal: the full size within %.0f ms):\n",
                    kGoalMilliseconds);
        for (const auto& [name, figures] : figures_) {
            if (figures.Sizes.size() != 2) {
                continue;
            }
            const Size& half = figures.Sizes[0];
            const Size& full = figures.Sizes[1];
            const double growth =
                (full.Milliseconds / full.Megabytes) / (half.Milliseconds / half.Megabytes);
            std::printf("  %-16s %6.2f MB %8.1f ms | %6.2f MB %8.1f ms | ms/MB x%.2f", name.c_str(),
                        half.Megabytes, half.Milliseconds, full.Megabytes, full.Milliseconds,
                        growth);
            if (name != "BuildLootFiles") {
                std::printf("  %s", full.Milliseconds <= kGoalMilliseconds ? "met" : "MISSED");
            }
            std::printf("\n");
        }
    }

  private:
    struct Size {
        double Milliseconds = 0;
        double Megabytes = 0;
    };
    struct Figures {
        std::vector<Size> Sizes;
    };
    std::map<std::string, Figures> figures_;
};

}  // namespace
}  // namespace kelvane::bench

int main(int argc, char** argv) {
    if (!kelvane::bench::InitializeBenchmarks(argc, argv)) {
        return 1;
    }
    kelvane::bench::ImportReporter reporter;
    return kelvane::bench::RunBenchmarks(reporter);
}
