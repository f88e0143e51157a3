#!/usr/bin/env bash
# Builds the benchmarks in Release into build-bench/ and runs them: loading and saving a
# generated table of 100,000 records x 234 fields against the floor of reading its file.
# Extra arguments go to the benchmark program (for example --benchmark_filter=Load).
set -euo pipefail
cd "$(dirname "$0")/.."
# -O2 rather than CMake's -O3: GCC 12 at -O3 reports false -Wrestrict warnings inside
# std::string concatenation, and warnings are errors here.
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG"
cmake --build build-bench -j "$(nproc)" --target kelvane_bench_loadsave
echo "Machine load before the run: $(uptime)"
build-bench/bench/kelvane_bench_loadsave "$@"
