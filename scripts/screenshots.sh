#!/usr/bin/env bash
# Remakes the screenshots in docs/ under a private Xvfb with a window manager,
# so the window frames show as a user sees them.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
ensure_packages xvfb openbox
"$ROOT/scripts/setup.sh"
cmake --build "$BUILD" --target orvalen_screenshots

start_xvfb
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill $wm 2>/dev/null || true; stop_xvfb' EXIT
sleep 1
cd "$BUILD/bin"
QT_QPA_PLATFORM=xcb ./orvalen_screenshots "${1:-$ROOT/docs}"
