#!/usr/bin/env bash
# Configures and builds into build/. Arguments name the targets to build
# (default: everything, tests and benchmarks included).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${ZZ_CMAKE_ARGS:-} >/dev/null
if [ $# -gt 0 ]; then
  targets=()
  for t in "$@"; do targets+=(--target "$t"); done
  cmake --build build -j"$(nproc)" "${targets[@]}"
else
  cmake --build build -j"$(nproc)"
fi
