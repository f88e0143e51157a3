#!/usr/bin/env bash
# Configures and builds Kelvane into build/ (Ninja, warnings as errors).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
