#!/usr/bin/env bash
# Installs what is missing, builds and starts the program on its diary folder
# (~/zumazuma-diary; the sample diary is put there when it holds no diary yet).
# Without a display the program runs under a virtual one: a screenshot of the
# window is saved after startup, the program is ended and the picture's path printed.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/deps.sh"
bash "$root/scripts/build.sh" zumazuma
diary="${ZUMAZUMA_DIARY:-$HOME/zumazuma-diary}"
mkdir -p "$diary"
cd "$diary"
if [ -n "${DISPLAY:-}" ]; then
  exec "$root/build/zumazuma"
fi
shot="$root/build/screenshot.png"
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  "$1" & pid=$!
  for i in $(seq 1 60); do
    sleep 0.5
    if xwininfo -root -tree 2>/dev/null | grep -q "Zumazuma"; then break; fi
  done
  sleep 2
  import -window root "$2"
  kill $pid 2>/dev/null || true
  wait $pid 2>/dev/null || true
' _ "$root/build/zumazuma" "$shot"
echo "Screenshot of the window after startup: $shot"
