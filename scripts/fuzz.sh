#!/usr/bin/env bash
# Builds the libFuzzer targets (clang with AddressSanitizer and UndefinedBehaviorSanitizer) into
# build-fuzz/ and runs each for SECONDS seconds, one after the other.
# usage: scripts/fuzz.sh [SECONDS] [TARGET...]   (default: 60 seconds, every fuzz/Fuzz*.cpp)
# KELVANE_FUZZ_BUILD_DIR names another build folder.
# New inputs and crash reproducers go to fuzz/corpus-work/TARGET/; the seeds in fuzz/corpus/
# are only read.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift $(($# > 0 ? 1 : 0))
build="${KELVANE_FUZZ_BUILD_DIR:-build-fuzz}"

scripts/install-deps.sh clang libclang-rt-14-dev
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKELVANE_BUILD_FUZZ=ON -DKELVANE_BUILD_TESTS=OFF -DKELVANE_BUILD_BENCH=OFF
cmake --build "$build" --target kelvane_fuzzers

targets=("$@")
if ((${#targets[@]} == 0)); then
  for source in fuzz/Fuzz*.cpp; do
    targets+=("$(basename "$source" .cpp)")
  done
fi

seed_corpus() {
  case "$1" in
    FuzzDbcReader | FuzzDbcSave) echo fuzz/corpus/dbc ;;
    FuzzFieldDefReader) echo fuzz/corpus/fielddefs ;;
    FuzzPatchReader) echo fuzz/corpus/patch ;;
    FuzzScriptReader) echo fuzz/corpus/script ;;
    FuzzDbdReader) echo fuzz/corpus/dbd ;;
    FuzzSqliteImport) echo fuzz/corpus/sqlite ;;
    FuzzCsvImport) echo fuzz/corpus/csv ;;
  esac
}

for target in "${targets[@]}"; do
  work="fuzz/corpus-work/$target"
  mkdir -p "$work"
  seeds="$(seed_corpus "$target")"
  echo "== $target: ${seconds} s"
  "$build/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$work/" "$work" ${seeds:+"$seeds"}
done
