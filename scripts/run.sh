#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor on the bundled example table.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
exec build/program/kelvane examples/Spell.dbc
