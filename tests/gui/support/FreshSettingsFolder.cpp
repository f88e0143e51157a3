#include <cstdlib>

#include "tests/support/TempDir.h"

namespace kelvane::testing {
namespace {

// Every window test program keeps its settings in a folder of its own, made before main and
// removed at the end: no test reads or changes the user's settings, and none sees what an
// earlier run left.
struct FreshSettingsFolder {
    TempDir Dir;
    FreshSettingsFolder() { setenv("XDG_CONFIG_HOME", Dir.Path().c_str(), 1); }
};

const FreshSettingsFolder freshSettingsFolder;

}  // namespace
}  // namespace kelvane::testing
