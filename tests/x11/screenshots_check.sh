#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes every screenshot in docs/ again, on a private Xvfb with a window
# manager, and compares each with its copy in docs/, byte for byte: the
# windows look exactly as documented, frames, places, faces and colours. A
# picture that differs is kept in the build folder to look at. Exits 77
# (skipped) without Xvfb, openbox and xprop.
#   screenshots_check.sh <folder of orvalen_screenshots>
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
for tool in Xvfb openbox xprop; do
  command -v "$tool" >/dev/null || { echo "screenshots: skipped, $tool is not installed"; exit 77; }
done
bindir=$(realpath "$1")
shots="$bindir/screenshots"
rm -rf "$shots"
mkdir -p "$shots"

start_desktop
trap stop_xvfb EXIT
(cd "$bindir" && QT_QPA_PLATFORM=xcb ./orvalen_screenshots "$shots" >/dev/null)
status=0
for shot in "$shots"/*.png; do
  name=$(basename "$shot")
  if cmp -s "$shot" "$ROOT/docs/$name"; then
    rm "$shot"
  else
    echo "screenshots: $name differs from docs/$name (see $shot)"
    status=1
  fi
done
[ "$status" = 0 ] && echo "screenshots: every window looks as docs/ shows it"
exit "$status"
