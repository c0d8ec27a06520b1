#!/usr/bin/env bash
# Remakes the screenshots in docs/ under a private Xvfb with a window manager,
# so the window frames show as a user sees them.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
ensure_packages xvfb openbox
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
