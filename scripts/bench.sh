#!/usr/bin/env bash
# Builds the benchmarks in Release into build-bench/ and runs them: loading and saving a
# generated table of 100,000 records x 234 fields against the floor of reading its file.
# Extra arguments go to the benchmark program (for example --benchmark_filter=Load).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build-bench -j "$(nproc)" --target kelvane_bench_loadsave
echo "Machine load before the run: $(uptime)"
build-bench/bench/kelvane_bench_loadsave "$@"
