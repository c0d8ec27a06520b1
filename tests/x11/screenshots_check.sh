#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes every screenshot in docs/ again, on a private Xvfb with a window
# manager, and compares each with its copy in docs/, byte for byte: the
# windows look exactly as documented, frames, places, faces and colours.
# With "dark", takes them under a dark desktop (qt6ct's "darker" scheme),
# where the windows must still look exactly the same; only Qt's own input
# dialog follows the desktop, and must (or the scheme was never applied).
# A picture that differs is kept in the build folder to look at. Exits 77
# (skipped) without Xvfb, openbox, xprop and, for "dark", qt6ct.
#   screenshots_check.sh <folder of orvalen_screenshots> light|dark
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
scheme=$2
tools=(Xvfb openbox xprop)
[ "$scheme" = dark ] && tools+=(qt6ct)
for tool in "${tools[@]}"; do
  command -v "$tool" >/dev/null || { echo "screenshots: skipped, $tool is not installed"; exit 77; }
done
bindir=$(realpath "$1")
shots="$bindir/screenshots/$scheme"
rm -rf "$shots"
mkdir -p "$shots"
env=(QT_QPA_PLATFORM=xcb)
if [ "$scheme" = dark ]; then
  write_dark_scheme "$shots/config"
  env+=(XDG_CONFIG_HOME="$shots/config" QT_QPA_PLATFORMTHEME=qt6ct)
fi

start_desktop
trap stop_xvfb EXIT
(cd "$bindir" && env "${env[@]}" ./orvalen_screenshots "$shots" >/dev/null)
status=0
for shot in "$shots"/*.png; do
  name=$(basename "$shot")
  if [ "$scheme/$name" = dark/countdown-input.png ]; then
    if cmp -s "$shot" "$ROOT/docs/$name"; then
      echo "screenshots: the input dialog is drawn as on a light desktop: was the dark scheme applied?"
      status=1
    fi
  elif cmp -s "$shot" "$ROOT/docs/$name"; then
    rm "$shot"
  else
    echo "screenshots: $name on a $scheme desktop differs from docs/$name (see $shot)"
    status=1
  fi
done
[ "$status" = 0 ] && echo "screenshots: every window looks as docs/ shows it on a $scheme desktop"
exit "$status"
