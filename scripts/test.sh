#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
# The desktop and Debian tools check the installed files and the package.
scripts/install-deps.sh desktop-file-utils appstream shared-mime-info dpkg-dev file lintian groff-base
scripts/build.sh
ctest --test-dir build --output-on-failure -j "$(nproc)"
