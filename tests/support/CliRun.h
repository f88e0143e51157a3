#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"

namespace kelvane::testing {

struct CliResult {
    int ExitCode = -1;
    std::string Out;
    std::string Err;
};

inline std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// Runs the program with the arguments; standard output comes through a pipe, standard error
// through a file in dir.
inline CliResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                            const TempDir& dir) {
    std::string command = ShellQuoted(program);
    for (const std::string& arg : args) {
        command += " " + ShellQuoted(arg);
    }
    command += " 2>" + ShellQuoted(dir.File("stderr.txt"));
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

}  // namespace kelvane::testing
