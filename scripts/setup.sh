#!/usr/bin/env bash
# Installs the Debian packages Orvalen needs (only those missing), then
# configures and builds it in build/ (or $ORVALEN_BUILD_DIR).
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${ORVALEN_BUILD_DIR:-$ROOT/build}

packages=(
  qt6-base-dev         # Qt Widgets, Gui, Core, Test and the platform plugins
  qt6-multimedia-dev   # QSoundEffect for the cues
  libgl-dev            # needed by Qt's CMake package for Gui
  fonts-noto-cjk       # the Japanese Gothic faces the windows are drawn with
  make
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "orvalen: installing ${missing[*]}"
  sudo=()
  if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
  "${sudo[@]}" apt-get update
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD" -j"$(nproc)"
