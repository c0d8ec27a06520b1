#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Remakes the screenshots in docs/ under a private Xvfb with a window manager,
# so the window frames show as a user sees them.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
ensure_packages xvfb openbox x11-utils
"$ROOT/scripts/setup.sh"
cmake --build "$BUILD" --target orvalen_screenshots

start_xvfb
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill $wm 2>/dev/null || true; stop_xvfb' EXIT
# The window manager is up once it has marked the root window as managed.
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' || { echo "openbox did not start within 10 s"; exit 1; }
out=$(realpath -m "${1:-$ROOT/docs}")
mkdir -p "$out"
cd "$BUILD/bin"
QT_QPA_PLATFORM=xcb ./orvalen_screenshots "$out"
