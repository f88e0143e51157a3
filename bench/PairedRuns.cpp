#include "bench/PairedRuns.h"

#include <algorithm>
#include <cstdio>

namespace kelvane::bench {
namespace {

std::string Times(double figure) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2fx", figure);
    return text;
}

}  // namespace

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double MedianRatio(const PairedRuns& runs) {
    std::vector<double> ratios;
    const size_t pairs = std::min(runs.Kelvane.size(), runs.Floor.size());
    for (size_t pair = 0; pair < pairs; ++pair) {
        if (runs.Floor[pair].Seconds > 0) {
            ratios.push_back(runs.Kelvane[pair].Seconds / runs.Floor[pair].Seconds);
        }
    }
    return Median(ratios);
}

double MedianSeconds(const std::vector<ProcessRun>& runs) {
    std::vector<double> seconds;
    for (const ProcessRun& run : runs) {
        seconds.push_back(run.Seconds);
    }
    return Median(seconds);
}

double MedianPeak(const std::vector<ProcessRun>& runs) {
    std::vector<double> peaks;
    for (const ProcessRun& run : runs) {
        peaks.push_back(run.PeakBytes);
    }
    return Median(peaks);
}

std::string Verdict(double figure, double goal) {
    return figure <= goal ? "ok" : "MISSED";
}

std::string SummaryTable(const std::vector<SummaryRow>& rows, double timeGoal) {
    std::string text = "| Operation | Kelvane / floor | Peak memory / file |\n|---|---|---|\n";
    for (const SummaryRow& row : rows) {
        const double goal = row.TimeGoal > 0 ? row.TimeGoal : timeGoal;
        const std::string time = row.TimeRatio > 0
                                     ? Times(row.TimeRatio) + " (goal " + Times(goal) + ", " +
                                           Verdict(row.TimeRatio, goal) + ")"
                                     : "no floor";
        text += "| " + row.Operation + " | " + time + " | " + Times(row.PeakOverFile) + " (goal " +
                Times(row.PeakGoal) + ", " + Verdict(row.PeakOverFile, row.PeakGoal) + ") |\n";
    }
    return text;
}

}  // namespace kelvane::bench
