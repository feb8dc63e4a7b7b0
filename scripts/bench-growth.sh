#!/usr/bin/env bash
# Runs the benchmark table at 50,000 and at 200,000 records and prints, per
# row, both times and their ratio (at most 4.5 is the goal: four times the
# records should cost about four times the time), then the peak memory of
# each run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh zzbench >/dev/null
export QT_QPA_PLATFORM=offscreen
small="$(mktemp)"; large="$(mktemp)"
trap 'rm -f "$small" "$large"' EXIT
build/bench/zzbench --records 50000 2>/dev/null >"$small"
build/bench/zzbench --records 200000 2>/dev/null >"$large"
python3 - "$small" "$large" <<'PY'
import re, sys
def rows(path):
    table, peak = {}, ""
    for line in open(path, encoding="utf-8"):
        if line.startswith("records:"):
            peak = line.strip()
            continue
        m = re.match(r"^(.*?)\s+([0-9.]+)\s+(\S+)\s+(\S+)\s*$", line)
        if m and m.group(1) != "benchmark":
            table[re.sub(r"200,000|50,000", "N", m.group(1).strip())] = float(m.group(2))
    return table, peak
a, pa = rows(sys.argv[1]); b, pb = rows(sys.argv[2])
print(f"{'benchmark (N records)':62} {'50k ms':>10} {'200k ms':>10} {'ratio':>7} {'ok':>4}")
for name, ms in a.items():
    if name not in b:
        continue
    ratio = b[name] / ms if ms > 0.05 else 0
    ok = "-" if ms <= 0.05 else ("yes" if ratio <= 4.5 else "NO")
    print(f"{name:62} {ms:10.2f} {b[name]:10.2f} {ratio:7.2f} {ok:>4}")
print(pa); print(pb)
PY
