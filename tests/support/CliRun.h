#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

#include "launcher/ConverterCommand.h"
#include "tests/support/TempDir.h"

namespace kelvane::testing {

struct CliResult {
    int ExitCode = -1;
    std::string Out;
    std::string Err;
};

// Runs a shell command line whose standard error goes to dir's "stderr.txt"; standard output
// comes through a pipe.
inline CliResult RunShellCommand(const std::string& command, const TempDir& dir) {
    CliResult result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[4096];
    size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        result.Out.append(buffer, read);
    }
    const int status = ::pclose(pipe);
    result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.Err = dir.Read("stderr.txt");
    return result;
}

// Runs the program with the arguments; standard output comes through a pipe, standard error
// through a file in dir. Its configuration folder is dir's "config", so no test reads or
// changes the user's settings.
inline CliResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                            const TempDir& dir) {
    std::string command =
        "XDG_CONFIG_HOME=" + QuotedForShell(dir.File("config"), CommandShell::Posix) + " " +
        QuotedForShell(program, CommandShell::Posix);
    for (const std::string& arg : args) {
        command += " " + QuotedForShell(arg, CommandShell::Posix);
    }
    command += " 2>" + QuotedForShell(dir.File("stderr.txt"), CommandShell::Posix);
    return RunShellCommand(command, dir);
}

}  // namespace kelvane::testing
