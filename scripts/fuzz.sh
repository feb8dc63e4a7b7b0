#!/usr/bin/env bash
# Builds the libFuzzer targets with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer and runs each for the given seconds (default 60):
#   bash scripts/fuzz.sh 3600
# The seed corpus is the test data and the sample diary; inputs that found a
# fault are kept in fuzz/regressions/<target>/ and run first every time.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
bash scripts/deps.sh
cmake -S . -B build-fuzz -G Ninja -DZZ_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz -j"$(nproc)"
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
failed=0
for target in build-fuzz/fuzz/fuzz_*; do
  [ -f "$target" ] && [ -x "$target" ] || continue
  name="$(basename "$target")"
  corpus="build-fuzz/corpus/$name"
  regressions="fuzz/regressions/$name"
  mkdir -p "$corpus" "$regressions"
  cp -n tests/store/data/* tests/views/average/data/* data/sample/*.txt "$corpus"/ 2>/dev/null || true
  # Inputs that once found a fault must stay harmless.
  if ls "$regressions"/* >/dev/null 2>&1; then
    "$target" -runs=0 "$regressions"/* >/dev/null 2>&1 || { echo "$name: a kept input fails again"; failed=1; }
  fi
  log="build-fuzz/$name.log"
  if "$target" -max_total_time="$seconds" -timeout=1 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$regressions/" "$corpus" >"$log" 2>&1; then
    echo "$name: $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$') executions, no fault"
  else
    echo "$name: FAULT, the input is kept in $regressions"; tail -30 "$log"; failed=1
  fi
done
exit $failed
