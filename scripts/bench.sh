#!/usr/bin/env bash
# Builds the benchmarks in Release into build-bench/ and runs them on a generated table of
# 100,000 records x 234 fields: loading and saving against the floor of reading its file, then
# opening it into the main window's grid against the load alone, and moving through it there;
# then exporting it as comma-separated and patch text and applying a patch to it, against the
# load; then taking back such a patch import, against the import itself; then importing a
# generated loot template file and quest file at two sizes; then sorting and filtering the
# shown records, against sorting or looping over the column's values alone; then reading a
# generated 3,000-line .dbd file and picking the layout that fits; then guessing the kinds of
# the table's fields from it loaded as integers; then bulk edits read from files; then a paste
# and a CSV import in the main window against the same work through the command line's code
# path. Extra arguments
# go to every benchmark program (for example --benchmark_filter=Load).
# Last, every bulk command of kelvane-cli runs as a whole process on the same table, in turn with
# a floor program of ours doing the least work of the operation: its time against the floor's
# and its peak memory against the table file, each against its goal, and whether both wrote the
# same bytes. The SQLite export and imports run there too, with our own CSV export of the table as
# their floor. KELVANE_BENCH_PAIRS sets how many pairs of runs (5 by default).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build-bench -j "$(nproc)" --target kelvane_bench_loadsave kelvane_bench_gridopen \
  kelvane_bench_exchange kelvane_bench_undo kelvane_bench_import kelvane_bench_view \
  kelvane_bench_dbd kelvane_bench_guess kelvane_bench_bulkedit kelvane_bench_bulkwindow kelvane-cli \
  kelvane_bench_files kelvane_bench_floor \
  kelvane_bench_commands
echo "Machine load before the run: $(uptime)"
build-bench/bench/kelvane_bench_loadsave "$@"
build-bench/bench/kelvane_bench_gridopen "$@"
build-bench/bench/kelvane_bench_exchange "$@"
build-bench/bench/kelvane_bench_undo "$@"
build-bench/bench/kelvane_bench_import "$@"
build-bench/bench/kelvane_bench_view "$@"
build-bench/bench/kelvane_bench_dbd "$@"
build-bench/bench/kelvane_bench_guess "$@"
build-bench/bench/kelvane_bench_bulkedit "$@"
build-bench/bench/kelvane_bench_bulkwindow "$@"
inputs="$(mktemp -d)"
trap 'rm -rf "$inputs"' EXIT
build-bench/bench/kelvane_bench_files "$inputs"
build-bench/bench/kelvane_bench_commands build-bench/cli/kelvane-cli build-bench/bench/kelvane_bench_floor \
  "$inputs" --pairs "${KELVANE_BENCH_PAIRS:-5}"
