#pragma once

#include <string>
#include <vector>

#include "bench/PairedRuns.h"

namespace kelvane::bench {

// Runs a program as a child process with its output thrown away, timing it with the monotonic
// clock and taking its peak resident memory from wait4. Throws when it cannot start or fails.
ProcessRun RunChild(const std::vector<std::string>& argv);

}  // namespace kelvane::bench
