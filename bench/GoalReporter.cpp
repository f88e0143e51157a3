#include "bench/GoalReporter.h"

#include <unistd.h>

#include <cstdio>
#include <utility>

namespace kelvane::bench {
namespace {

const char* Verdict(double value, double max) {
    return value <= max ? "met" : "MISSED";
}

}  // namespace

GoalReporter::GoalReporter(std::string floor, std::vector<TimeGoal> times, CounterGoal counter)
    // Colours only on a terminal, so the figures read cleanly from a log.
    : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular),
      floor_(std::move(floor)),
      times_(std::move(times)),
      counter_(std::move(counter)) {}

void GoalReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred || run.run_type != Run::RT_Iteration) {
            continue;
        }
        Result& result = results_[run.run_name.function_name];
        result.Milliseconds = run.GetAdjustedRealTime() *
                              benchmark::GetTimeUnitMultiplier(benchmark::kMillisecond) /
                              benchmark::GetTimeUnitMultiplier(run.time_unit);
        for (const auto& [name, counter] : run.counters) {
            result.Counters[name] = counter.value;
        }
    }
}

void GoalReporter::PrintSummary() const {
    const auto floor = results_.find(floor_);
    if (floor == results_.end() || floor->second.Milliseconds <= 0) {
        std::printf("No figures for %s: nothing to compare against.\n", floor_.c_str());
        return;
    }
    std::printf("\nAgainst the floor (%s, %.1f ms):\n", floor_.c_str(), floor->second.Milliseconds);
    for (const TimeGoal& goal : times_) {
        const auto result = results_.find(goal.Benchmark);
        const auto ownFloor = goal.Floor.empty() ? floor : results_.find(goal.Floor);
        if (result == results_.end() || ownFloor == results_.end() ||
            ownFloor->second.Milliseconds <= 0) {
            continue;
        }
        const double times = result->second.Milliseconds / ownFloor->second.Milliseconds;
        std::printf("  %-22s %9.1f ms  %5.2fx", goal.Benchmark.c_str(), result->second.Milliseconds,
                    times);
        if (!goal.Floor.empty()) {
            std::printf(" of %s", goal.Floor.c_str());
        }
        if (goal.MaxTimesFloor > 0) {
            std::printf("  goal %.2fx  %s", goal.MaxTimesFloor, Verdict(times, goal.MaxTimesFloor));
        }
        std::printf("\n");
    }
    const auto result = results_.find(counter_.Benchmark);
    if (result != results_.end() && result->second.Counters.contains(counter_.Counter)) {
        const double value = result->second.Counters.at(counter_.Counter);
        std::printf("  %s %s %.3f  goal %.2f  %s\n", counter_.Benchmark.c_str(),
                    counter_.Counter.c_str(), value, counter_.Max, Verdict(value, counter_.Max));
    }
}

bool InitializeBenchmarks(int& argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    return !benchmark::ReportUnrecognizedArguments(argc, argv);
}

}  // namespace kelvane::bench
