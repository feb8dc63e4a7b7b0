#!/usr/bin/env bash
# Makes docs/screenshot.png again (the main window on the sample diary under a
# virtual 1280 x 800 display, the startup boxes answered), then pictures every
# panel in the light and the dark colour scheme into build/screens/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/deps.sh"
bash "$root/scripts/build.sh" zumazuma zzshots
diary="$(mktemp -d)"
trap 'rm -rf "$diary"' EXIT
cd "$diary"
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  "$1" & pid=$!
  for i in $(seq 1 60); do
    sleep 0.5
    if xwininfo -root -tree 2>/dev/null | grep -q "Zumazuma"; then break; fi
  done
  sleep 2
  for k in 1 2 3 4 5; do xdotool key Return; sleep 0.5; done
  sleep 1
  import -window root "$2"
  kill $pid 2>/dev/null || true
  wait $pid 2>/dev/null || true
' _ "$root/build/zumazuma" "$root/docs/screenshot.png"
convert "$root/docs/screenshot.png" -crop 1260x760+0+0 +repage "$root/docs/screenshot.png"
echo "docs/screenshot.png made again"
rm -rf "$root/build/screens"
for scheme in "" --dark; do
  QT_QPA_PLATFORM=offscreen "$root/build/zzshots" $scheme "$root/build/screens" >/dev/null
done
echo "every panel, light and dark: build/screens/ ($(ls "$root/build/screens" | wc -l) pictures)"
