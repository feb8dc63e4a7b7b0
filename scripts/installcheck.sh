#!/usr/bin/env bash
# Installs the built program into a temporary prefix, validates the desktop
# entry and the AppStream file, builds the Debian package, and starts the
# installed program on a fresh diary folder under a virtual display: the
# sample diary must appear and the window must show.
set -euo pipefail
cd "$(dirname "$0")/.."
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cmake --install build --prefix "$work/prefix" >/dev/null
desktop-file-validate "$work/prefix/share/applications/io.github.zumazuma.Zumazuma.desktop"
appstreamcli validate --no-net "$work/prefix/share/metainfo/io.github.zumazuma.Zumazuma.metainfo.xml"
test -f "$work/prefix/share/icons/hicolor/scalable/apps/io.github.zumazuma.Zumazuma.svg"
test -f "$work/prefix/share/icons/hicolor/48x48/apps/io.github.zumazuma.Zumazuma.png"
test -f "$work/prefix/share/zumazuma/KaruppaHelp.html"

(cd build && cpack -G DEB >/dev/null)
deb="$(ls build/zumazuma_*.deb | head -1)"
# Whole outputs first: grep -q would stop reading and break dpkg-deb's pipe.
dpkg-deb -f "$deb" Depends >"$work/depends"
dpkg-deb -c "$deb" >"$work/contents"
grep -q libqt6charts6 "$work/depends"
grep -q './usr/bin/zumazuma-diary' "$work/contents"
echo "package: $deb ($(du -k "$deb" | cut -f1) KiB)"

mkdir -p "$work/home"
HOME="$work/home" xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  "$1/bin/zumazuma-diary" & pid=$!
  for i in $(seq 1 60); do
    sleep 0.5
    if xwininfo -root -tree 2>/dev/null | grep -q "Zumazuma"; then shown=1; break; fi
  done
  kill $pid 2>/dev/null || true
  wait $pid 2>/dev/null || true
  test "${shown:-0}" = 1
' _ "$work/prefix" || { echo "the installed program showed no window"; exit 1; }
test -s "$work/home/zumazuma-diary/データ.txt"
echo "install check passed: installed, validated, packaged, started on a fresh diary folder"
