#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the real program (offscreen) from an empty folder and waits until
# it has drawn its menu and then loaded its sound module, which it does only
# once the menu's first frame is out: it starts as a candidate's would.
# Qt's Japanese strings, mapped from their file, tell that the application
# was prepared before its first window.
#   starts.sh <the program>
set -euo pipefail
program=$(realpath "$1")
run=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$run"' EXIT
(cd "$run" && QT_QPA_PLATFORM=offscreen exec "$program" >"$run/log" 2>&1) &
pid=$!
for _ in $(seq 100); do
  if grep -q 'orvalen_sound\.so' "/proc/$pid/maps" 2>/dev/null; then
    grep -q 'qtbase_ja\.qm' "/proc/$pid/maps" || { cat "$run/log"; echo "starts: Qt's Japanese strings not loaded"; exit 1; }
    echo "starts: menu drawn in Japanese, sound module loaded"
    exit 0
  fi
  kill -0 "$pid" 2>/dev/null || { cat "$run/log"; echo "starts: the program ended"; exit 1; }
  sleep 0.1
done
cat "$run/log"
echo "starts: no sound module loaded within 10 s"
exit 1
