#!/usr/bin/env bash
# Runs the real program on Xvfb and reads its windows' pixels back: the
# figures of every timer must really be drawn through the X11 path.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
ensure_packages xvfb python3 python3-xlib
"$ROOT/scripts/setup.sh"

display=:$((80 + RANDOM % 9))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
DISPLAY=$display /usr/bin/python3 "$ROOT/tests/x11/x11_check.py" "$BUILD/bin"
