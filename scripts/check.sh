#!/usr/bin/env bash
# The everyday check: builds everything (warnings are errors) and runs the test
# suite. No package installs, no sanitizers, no fuzzing.
set -euo pipefail
cd "$(dirname "$0")/.."
ZZ_CMAKE_ARGS="-DZZ_WERROR=ON" bash scripts/build.sh
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)")
