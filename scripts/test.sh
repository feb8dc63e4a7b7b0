#!/usr/bin/env bash
# Installs what is missing, builds once and runs the whole test suite and the
# check of the installed program. With --full it then runs the slower gates
# too (scripts/gates.sh: the suite under the sanitizers, each fuzz target).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/check.sh

echo "== the installed program"
bash scripts/installcheck.sh

if [ "${1:-}" = "--full" ]; then
  bash scripts/gates.sh
fi
