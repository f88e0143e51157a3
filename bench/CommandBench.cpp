// Times kelvane-cli's bulk commands as whole processes on the big table, each against a floor
// program of ours run in turn with it (A B A B ...), and prints for each the median of the
// paired time ratios and its peak memory against the table file, each against its goal. The
// outputs of a command and its floor must be the same bytes where the floor writes them.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr double kTimeGoal = 1.5;    // times the floor's time
constexpr double kMemoryGoal = 1.5;  // times the table file

struct Operation {
    std::string Name;
    std::vector<std::string> Command;  // kelvane-cli's arguments
    std::vector<std::string> Floor;    // the floor program's arguments
    std::string CommandOutput;         // compared with FloorOutput when both are set
    std::string FloorOutput;
    bool Streams = false;  // its peak may be at most the load's own
    std::string FloorNote;
};

struct Run {
    double Seconds = 0;
    double PeakBytes = 0;
};

Run RunOnce(const std::string& program, const std::vector<std::string>& args) {
    std::vector<char*> argv;
    std::string path = program;
    argv.push_back(path.data());
    std::vector<std::string> copies = args;
    for (std::string& arg : copies) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    std::cout.flush();  // or the child's copy of the buffer would print it again
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(::open("/dev/null", O_WRONLY), STDOUT_FILENO);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error(program + " " + args.front() + " failed");
    }
    return {took.count(), static_cast<double>(usage.ru_maxrss) * 1024};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

bool SameBytes(const std::string& left, const std::string& right) {
    std::ifstream a(left, std::ios::binary);
    std::ifstream b(right, std::ios::binary);
    return std::equal(std::istreambuf_iterator<char>(a), std::istreambuf_iterator<char>(),
                      std::istreambuf_iterator<char>(b), std::istreambuf_iterator<char>());
}

struct Result {
    double CommandSeconds = 0;
    double FloorSeconds = 0;
    double Ratio = 0;
    double PeakBytes = 0;
};

Result Measure(const Operation& operation, const std::string& cli, const std::string& floor,
               int pairs) {
    std::vector<double> command;
    std::vector<double> floors;
    std::vector<double> ratios;
    std::vector<double> peaks;
    for (int pair = -1; pair < pairs; ++pair) {  // the first pair warms up
        const Run a = RunOnce(cli, operation.Command);
        const Run b = RunOnce(floor, operation.Floor);
        if (pair >= 0) {
            command.push_back(a.Seconds);
            floors.push_back(b.Seconds);
            ratios.push_back(a.Seconds / b.Seconds);
            peaks.push_back(a.PeakBytes);
        }
    }
    return {Median(command), Median(floors), Median(ratios), Median(peaks)};
}

std::vector<Operation> Operations(const std::string& dir) {
    const std::string table = dir + "/Spell.dbc";
    const std::string kinds = dir + "/Spell.kinds";
    const auto in = [&](const std::string& name) { return dir + "/" + name; };
    const std::string rewriteNote = "reads the inputs, writes the table";
    return {
        {"load (info)",
         {"info", table},
         {"load", table},
         "",
         "",
         false,
         "reads the file into huge pages, touches every cell"},
        {"resave",
         {"resave", table, in("a.dbc"), "--force"},
         {"rewrite", table, in("b.dbc")},
         in("a.dbc"),
         in("b.dbc"),
         false,
         "copies the file"},
        {"export-csv",
         {"export-csv", table, in("a.csv")},
         {"csv", table, kinds, in("b.csv")},
         in("a.csv"),
         in("b.csv"),
         true,
         "formats every cell"},
        {"export-patch",
         {"export-patch", table, in("a.txt")},
         {"patch", table, kinds, in("b.txt")},
         in("a.txt"),
         in("b.txt"),
         true,
         "formats every cell"},
        {"dat",
         {"dat", "creatures", table, in("a.dat")},
         {"dat", table, kinds, "0", "136", in("b.dat")},
         in("a.dat"),
         in("b.dat"),
         true,
         "formats two cells a record"},
        {"apply-patch, 3 cells a line",
         {"apply-patch", table, in("three-cells.txt"), in("a3.dbc"), "--force"},
         {"apply-integers", table, in("three-cells.txt"), in("b3.dbc")},
         in("a3.dbc"),
         in("b3.dbc"),
         false,
         "parses the values into the records"},
        {"apply-patch, row lines",
         {"apply-patch", table, in("rows.txt"), in("ar.dbc"), "--force"},
         {"rewrite", table, in("rows.txt"), in("br.dbc")},
         "",
         "",
         false,
         rewriteNote},
        {"apply-patch, +50,000 records",
         {"apply-patch", table, in("added.txt"), in("aa.dbc"), "--force"},
         {"rewrite", table, in("added.txt"), in("ba.dbc")},
         "",
         "",
         false,
         rewriteNote},
        {"import scp",
         {"import", "scp", table, in("spells.scp"), in("as.dbc"), "--force"},
         {"rewrite", table, in("spells.scp"), in("bs.dbc")},
         "",
         "",
         false,
         rewriteNote},
    };
}

std::string Fixed(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

int RunAll(const std::string& cli, const std::string& floor, const std::string& dir, int pairs) {
    const double fileBytes = static_cast<double>(std::filesystem::file_size(dir + "/Spell.dbc"));
    double loadPeak = 0;
    bool allSame = true;
    std::cout << "| Command | Kelvane | Floor | Time / floor (goal " << Fixed(kTimeGoal, 1)
              << "x) | Peak / file (goal) | Floor does |\n|---|---|---|---|---|---|\n";
    for (const Operation& operation : Operations(dir)) {
        const Result result = Measure(operation, cli, floor, pairs);
        if (loadPeak == 0) {
            loadPeak = result.PeakBytes;
        }
        const double memoryGoal = operation.Streams ? loadPeak / fileBytes : kMemoryGoal;
        const double peak = result.PeakBytes / fileBytes;
        std::cout << "| " << operation.Name << " | " << Fixed(result.CommandSeconds * 1000, 0)
                  << " ms | " << Fixed(result.FloorSeconds * 1000, 0) << " ms | "
                  << Fixed(result.Ratio, 2) << "x "
                  << (result.Ratio <= kTimeGoal ? "met" : "MISSED") << " | " << Fixed(peak, 2)
                  << "x (" << Fixed(memoryGoal, 2) << "x) "
                  << (peak <= memoryGoal + 0.005 ? "met" : "MISSED") << " | " << operation.FloorNote
                  << " |\n";
        if (!operation.CommandOutput.empty() &&
            !SameBytes(operation.CommandOutput, operation.FloorOutput)) {
            std::cout << "MISMATCH: " << operation.CommandOutput << " and " << operation.FloorOutput
                      << " differ\n";
            allSame = false;
        }
    }
    std::cout << "Table file: " << Fixed(fileBytes / 1e6, 1) << " MB; medians of " << pairs
              << " pairs after one warm-up pair.\n";
    return allSame ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4 || argc > 5) {
        std::cerr << "usage: kelvane_bench_commands KELVANE_CLI FLOOR FOLDER [PAIRS]\n";
        return 2;
    }
    try {
        return RunAll(argv[1], argv[2], argv[3], argc == 5 ? std::stoi(argv[4]) : 5);
    } catch (const std::exception& error) {
        std::cerr << "kelvane_bench_commands: " << error.what() << '\n';
        return 1;
    }
}
