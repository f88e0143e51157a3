#!/usr/bin/env bash
# Installs what is missing, builds, and runs Kelvane on the bundled example table.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
build/cli/kelvane-cli info examples/Spell.dbc
