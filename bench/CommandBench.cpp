// Runs every bulk command of kelvane-cli on the inputs kelvane_bench_files wrote, in turn with
// the floor program doing the least work of the same operation, and prints each command's time
// against its floor's and its peak memory against the table file, each against its goal. The
// SQLite commands have our own CSV export of the table as their floor: a database costs more
// than text by nature, and the goal says how much more.
//   kelvane_bench_commands CLI FLOOR FOLDER [--pairs N]
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "bench/ChildProcess.h"
#include "bench/PairedRuns.h"

namespace kelvane::bench {
namespace {

constexpr double kTimeGoal = 1.5;
constexpr double kPeakGoal = 1.5;
constexpr double kSqliteTimeGoal = 3;
// An import stages every value read before it changes the table: a second table's worth.
constexpr double kStagedPeakGoal = 2.5;

struct Operation {
    std::string Name;
    std::vector<std::string> Kelvane;  // arguments after the program, with OUT for the output
    std::vector<std::string> Floor;
    std::string Output;    // the output file's extension; empty for none
    bool Streams = false;  // its peak goal is the load's own peak
    // The floor is kelvane-cli's own CSV export, whose output is not compared with Kelvane's.
    bool CsvExportFloor = false;
    double TimeGoal = kTimeGoal;
    double PeakGoal = kPeakGoal;
};

// The database's table back into the table, measured against our CSV export of the table.
Operation ImportSqlite(const std::string& what, const std::string& database) {
    return {"import-sqlite, " + what,
            {"import-sqlite", "Spell.dbc", database, "OUT"},
            {"export-csv", "Spell.dbc", "OUT"},
            "dbc",
            false,
            true,
            kSqliteTimeGoal,
            kStagedPeakGoal};
}

const std::vector<Operation>& Operations() {
    static const std::vector<Operation> operations{
        {"load (info)", {"info", "Spell.dbc"}, {"load", "Spell.dbc"}, "", false},
        {"resave", {"resave", "Spell.dbc", "OUT"}, {"copy", "Spell.dbc", "OUT"}, "dbc", false},
        {"export-csv",
         {"export-csv", "Spell.dbc", "OUT"},
         {"export-csv", "Spell.dbc", "OUT"},
         "csv",
         true},
        {"export-patch",
         {"export-patch", "Spell.dbc", "OUT"},
         {"export-patch", "Spell.dbc", "OUT"},
         "txt",
         true},
        {"apply-patch, full-table",
         {"apply-patch", "Spell.dbc", "full.patch.txt", "OUT"},
         {"apply-patch", "Spell.dbc", "full.patch.txt", "OUT"},
         "dbc",
         false},
        {"apply-patch, 3 cells a line",
         {"apply-patch", "Spell.dbc", "cells.patch.txt", "OUT"},
         {"apply-patch", "Spell.dbc", "cells.patch.txt", "OUT"},
         "dbc",
         false},
        {"apply-patch, +50,000 records",
         {"apply-patch", "Spell.dbc", "added.patch.txt", "OUT"},
         {"apply-patch", "Spell.dbc", "added.patch.txt", "OUT"},
         "dbc",
         false},
        {"import scp",
         {"import", "scp", "Spell.dbc", "records.scp", "OUT"},
         {"import-scp", "Spell.dbc", "records.scp", "OUT"},
         "dbc",
         false},
        {"dat", {"dat", "creatures", "Spell.dbc", "OUT"}, {"dat", "Spell.dbc", "OUT"}, "dat", true},
        // Run again and again into one file: each run replaces the table in an existing database.
        {"export-sqlite, replace table",
         {"export-sqlite", "Spell.dbc", "OUT"},
         {"export-csv", "Spell.dbc", "OUT"},
         "db",
         false,
         true,
         kSqliteTimeGoal},
        ImportSqlite("unchanged", "Spell.db"),
        ImportSqlite("all changed", "changed.db"),
    };
    return operations;
}

// Words naming an input in the folder become its path; the rest are command words.
std::vector<std::string> Command(const std::string& program, const std::vector<std::string>& args,
                                 const std::string& folder, const std::string& output) {
    std::vector<std::string> argv{program};
    for (const std::string& arg : args) {
        const std::string input = folder + "/" + arg;
        argv.push_back(arg == "OUT" ? output : std::filesystem::exists(input) ? input : arg);
    }
    return argv;
}

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

struct Settings {
    std::string Cli;
    std::string Floor;
    std::string Folder;
    int Pairs = 5;
};

// Warm-up pair first, then the measured pairs, each kelvane-cli before its floor.
PairedRuns RunPairs(const Operation& operation, const Settings& settings, bool& outputsDiffer) {
    const std::string kelvaneOut = settings.Folder + "/kelvane-out." + operation.Output;
    const std::string floorOut = settings.Folder + "/floor-out." + operation.Output;
    const auto kelvane = Command(settings.Cli, operation.Kelvane, settings.Folder, kelvaneOut);
    const auto floor = Command(operation.CsvExportFloor ? settings.Cli : settings.Floor,
                               operation.Floor, settings.Folder, floorOut);
    PairedRuns runs{operation.Name, {}, {}};
    for (int pair = 0; pair <= settings.Pairs; ++pair) {
        const ProcessRun kelvaneRun = RunChild(kelvane);
        if (pair > 0) {
            runs.Kelvane.push_back(kelvaneRun);
        }
        if (!operation.Floor.empty()) {
            const ProcessRun floorRun = RunChild(floor);
            if (pair > 0) {
                runs.Floor.push_back(floorRun);
            }
        }
    }
    if (!operation.Floor.empty() && !operation.Output.empty() && !operation.CsvExportFloor) {
        if (ReadAll(kelvaneOut) != ReadAll(floorOut)) {
            std::cout << "MISMATCH: " << kelvaneOut << " and " << floorOut << " differ\n";
            outputsDiffer = true;
        }
    }
    std::filesystem::remove(kelvaneOut);
    std::filesystem::remove(floorOut);
    return runs;
}

int Run(const Settings& settings) {
    const double fileBytes =
        static_cast<double>(std::filesystem::file_size(settings.Folder + "/Spell.dbc"));
    std::vector<SummaryRow> rows;
    double loadPeak = 0;
    bool outputsDiffer = false;
    for (const Operation& operation : Operations()) {
        const PairedRuns runs = RunPairs(operation, settings, outputsDiffer);
        const double peak = MedianPeak(runs.Kelvane);
        if (loadPeak == 0) {
            loadPeak = peak;  // the load comes first
        }
        const SummaryRow row{operation.Name, MedianRatio(runs), peak / fileBytes,
                             operation.Streams ? loadPeak / fileBytes : operation.PeakGoal,
                             operation.TimeGoal};
        std::printf(
            "%-30s kelvane %7.3f s, floor %7.3f s, ratio %5.2fx; peak %6.1f MB (load %6.1f MB)\n",
            operation.Name.c_str(), MedianSeconds(runs.Kelvane), MedianSeconds(runs.Floor),
            row.TimeRatio, peak / 1e6, loadPeak / 1e6);
        std::fflush(stdout);
        rows.push_back(row);
    }
    std::cout << "\n" << SummaryTable(rows, kTimeGoal);
    return outputsDiffer ? 1 : 0;
}

}  // namespace
}  // namespace kelvane::bench

int main(int argc, char** argv) {
    if (argc != 4 && !(argc == 6 && std::string(argv[4]) == "--pairs")) {
        std::cerr << "usage: " << argv[0] << " CLI FLOOR FOLDER [--pairs N]\n";
        return 1;
    }
    kelvane::bench::Settings settings{argv[1], argv[2], argv[3],
                                      argc == 6 ? std::stoi(argv[5]) : 5};
    try {
        return kelvane::bench::Run(settings);
    } catch (const std::exception& error) {
        std::cout << error.what() << "\n";
        return 1;
    }
}
