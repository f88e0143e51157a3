#!/usr/bin/env bash
# Builds the editor and redraws the pictures of its windows (README, user guide) into docs/
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
mkdir -p docs
build/program/kelvane-screenshots examples/Spell.dbc examples/TalentTab.dbc examples/Talent.dbc docs
