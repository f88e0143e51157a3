#include "bench/ChildProcess.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace kelvane::bench {
namespace {

std::string CommandText(const std::vector<std::string>& argv) {
    std::string text;
    for (const std::string& word : argv) {
        text += (text.empty() ? "" : " ") + word;
    }
    return text;
}

[[noreturn]] void ExecQuietly(const std::vector<std::string>& argv) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    std::vector<char*> words;
    for (const std::string& word : argv) {
        words.push_back(const_cast<char*>(word.c_str()));
    }
    words.push_back(nullptr);
    execv(words[0], words.data());
    _exit(127);
}

}  // namespace

ProcessRun RunChild(const std::vector<std::string>& argv) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child < 0) {
        throw std::runtime_error("cannot start " + CommandText(argv));
    }
    if (child == 0) {
        ExecQuietly(argv);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child) {
        throw std::runtime_error("lost the child running " + CommandText(argv));
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error("FAILED: " + CommandText(argv));
    }
    // ru_maxrss is in KiB on Linux.
    return {elapsed.count(), static_cast<double>(usage.ru_maxrss) * 1024};
}

}  // namespace kelvane::bench
