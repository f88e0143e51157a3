#include "tests/gui/support/WindowTests.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "tests/support/TempDir.h"

namespace kelvane::testing {
namespace {

std::map<std::string, WindowTestMain>& Registry() {
    static std::map<std::string, WindowTestMain> registry;
    return registry;
}

int RefuseTestName(const char* program, const char* name) {
    std::fprintf(stderr, "%s: %s\nusage: %s TEST-CLASS [Qt Test options]\ntest classes:\n", program,
                 name ? "no window test class of that name" : "name the window test class to run",
                 program);
    for (const auto& [known, main] : Registry()) {
        std::fprintf(stderr, "  %s\n", known.c_str());
    }
    return 2;
}

}  // namespace

bool RegisterWindowTest(const char* name, WindowTestMain main) {
    Registry().emplace(name, main);
    return true;
}

}  // namespace kelvane::testing

// Several window test classes share one program, and each run starts one of them: CTest
// registers a test per class, so each still runs in a process of its own.
int main(int argc, char** argv) {
    using namespace kelvane::testing;
    if (argc < 2) {
        return RefuseTestName(argv[0], nullptr);
    }
    const auto test = Registry().find(argv[1]);
    if (test == Registry().end()) {
        return RefuseTestName(argv[0], argv[1]);
    }
    // Each run keeps its settings in a folder of its own, removed at the end: no test reads or
    // changes the user's settings, and none sees what an earlier run left.
    const TempDir settings;
    setenv("XDG_CONFIG_HOME", settings.Path().c_str(), 1);
    // The class's name stands where the program's name stood, so Qt Test names the class.
    return test->second(argc - 1, argv + 1);
}
