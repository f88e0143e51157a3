#pragma once

#include <string>
#include <vector>

namespace kelvane::bench {

// One run of a command as a child process: its wall time and its peak resident memory.
struct ProcessRun {
    double Seconds = 0;
    double PeakBytes = 0;
};

// The runs of one operation: kelvane-cli and its floor taken in turn, so both see the same
// machine load; a floor-less operation has no floor runs.
struct PairedRuns {
    std::string Operation;
    std::vector<ProcessRun> Kelvane;
    std::vector<ProcessRun> Floor;
};

double Median(std::vector<double> values);

// The median of the pair-by-pair ratios, which is steadier than the ratio of the medians when
// the machine's load drifts during the run.
double MedianRatio(const PairedRuns& runs);
double MedianSeconds(const std::vector<ProcessRun>& runs);
double MedianPeak(const std::vector<ProcessRun>& runs);

// "ok" or "MISSED": within the goal or not.
std::string Verdict(double figure, double goal);

// One row of the final table, in the Markdown the README uses.
struct SummaryRow {
    std::string Operation;
    double TimeRatio = 0;  // 0 when the operation has no floor
    double PeakOverFile = 0;
    double PeakGoal = 0;  // as a multiple of the file
    double TimeGoal = 0;  // 0: the goal all operations share
};

std::string SummaryTable(const std::vector<SummaryRow>& rows, double timeGoal);

}  // namespace kelvane::bench
