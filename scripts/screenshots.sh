#!/usr/bin/env bash
# Remakes the screenshots in docs/ under a private Xvfb with a window manager,
# so the window frames show as a user sees them.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${ORVALEN_BUILD_DIR:-$ROOT/build}
need=()
for p in xvfb openbox; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || need+=("$p")
done
if ((${#need[@]})); then
  sudo=(); [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${need[@]}"
fi
"$ROOT/scripts/setup.sh"
cmake --build "$BUILD" --target orvalen_screenshots

display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $wm $xvfb 2>/dev/null || true' EXIT
sleep 1
DISPLAY=$display openbox >/dev/null 2>&1 &
wm=$!
sleep 1
cd "$BUILD/bin"
DISPLAY=$display QT_QPA_PLATFORM=xcb ./orvalen_screenshots "$ROOT/docs"
