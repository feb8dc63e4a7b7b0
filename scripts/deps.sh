#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the program need.
set -euo pipefail
packages=(build-essential cmake ninja-build pkg-config
          qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev qt6-charts-dev qt6-svg-dev libgl-dev qt6-qpa-plugins
          clang-14 libclang-rt-14-dev
          fonts-noto-cjk fonts-ipafont-gothic fonts-dejavu-core xvfb xauth x11-utils imagemagick poppler-utils
          desktop-file-utils appstream dpkg-dev xdotool qt6-translations-l10n)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then SUDO=; else SUDO=sudo; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
