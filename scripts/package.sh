#!/usr/bin/env bash
# Builds the Debian package kelvane_VERSION_ARCH.deb and prints its path.
#   scripts/package.sh [OUTDIR] [BUILD_DIR]
# OUTDIR defaults to the project folder. Without BUILD_DIR the programs are built for release
# into build-package/; with it, the build already there is packaged (the tests do so).
set -euo pipefail
project="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath -m "${1:-$project}")"
build="${2:-}"

# dpkg-shlibdeps finds the package's dependencies; it needs file to tell the programs apart.
"$project/scripts/install-deps.sh" dpkg-dev file

if [[ -z "$build" ]]; then
  build="$project/build-package"
  cmake -S "$project" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DKELVANE_BUILD_TESTS=OFF -DKELVANE_BUILD_BENCH=OFF
fi
build="$(realpath "$build")"
cmake --build "$build"

mkdir -p "$out"
staging="$(mktemp -d)"
trap 'rm -rf "$staging"' EXIT
(cd "$staging" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$staging" > cpack.log) ||
  { cat "$staging/cpack.log" >&2; exit 1; }
package="$(find "$staging" -maxdepth 1 -name 'kelvane_*.deb' -print -quit)"
[[ -n "$package" ]] || { echo "package.sh: cpack made no kelvane_*.deb" >&2; exit 1; }
mv -f "$package" "$out/"
echo "$out/$(basename "$package")"
