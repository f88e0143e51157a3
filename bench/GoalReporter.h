#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace kelvane::bench {

// A benchmark's time as a multiple of the floor's, with the most it may be (0: no goal).
struct TimeGoal {
    TimeGoal(std::string benchmark, double maxTimesFloor, std::string floor = {})
        : Benchmark(std::move(benchmark)), MaxTimesFloor(maxTimesFloor), Floor(std::move(floor)) {}

    std::string Benchmark;
    double MaxTimesFloor = 0;
    std::string Floor;  // a floor of its own; empty: the reporter's
};

// A counter of a benchmark and the most it may be.
struct CounterGoal {
    std::string Benchmark;
    std::string Counter;
    double Max = 0;
};

// The usual console output, then a summary of the goals: each time against the floor's, and
// the counter against its limit.
// Takes the benchmark flags off the command line; false (after saying why) for unknown ones.
bool InitializeBenchmarks(int& argc, char** argv);

// Runs the benchmarks the command line selected through the reporter, then prints its summary
// of figures against their goals.
template <typename Reporter>
int RunBenchmarks(Reporter& reporter) {
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintSummary();
    benchmark::Shutdown();
    return 0;
}

class GoalReporter : public benchmark::ConsoleReporter {
  public:
    GoalReporter(std::string floor, std::vector<TimeGoal> times, CounterGoal counter);

    void ReportRuns(const std::vector<Run>& runs) override;
    void PrintSummary() const;

  private:
    struct Result {
        double Milliseconds = 0;
        std::map<std::string, double> Counters;
    };

    std::string floor_;
    std::vector<TimeGoal> times_;
    CounterGoal counter_;
    std::map<std::string, Result> results_;
};

}  // namespace kelvane::bench
