#!/usr/bin/env bash
# Kills every write path at random moments, as often as asked (default 1000
# per path): bash scripts/kills.sh 5000
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh tst_kills
ZZ_KILLS_PER_PATH="${1:-1000}" QT_QPA_PLATFORM=offscreen build/tests/tst_kills
