#!/usr/bin/env bash
# The slower gates after the test suite: the whole suite again under
# AddressSanitizer and UndefinedBehaviorSanitizer, then each fuzz target for
# ZZ_FUZZ_SECONDS (20 by default).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

echo "== the test suite under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DZZ_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-asan -j"$(nproc)"
# Qt's own libraries are not instrumented; their allocations at exit are not
# this program's leaks. Every other report fails the run.
(cd build-asan && ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  ZZ_KILLS_PER_PATH=20 QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" --timeout 1200)

echo "== fuzzing"
bash scripts/fuzz.sh "${ZZ_FUZZ_SECONDS:-20}"
