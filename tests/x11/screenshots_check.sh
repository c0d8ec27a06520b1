#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes every screenshot in docs/ again, on a private Xvfb with a window
# manager, and compares each with its copy in docs/, byte for byte: the
# windows look exactly as documented, frames, places, faces and colours.
# On a dark desktop (qt6ct's "darker", or Qt's GTK theme with Adwaita dark)
# every picture, Qt's input dialog included, must be the same. A picture
# that differs is kept in the build folder to look at. Exits 77 (skipped)
# without Xvfb, openbox, xprop and what the dark desktop needs.
#   screenshots_check.sh <folder of orvalen_screenshots> light|qt6ct|gtk
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
desktop=$2
tools=(Xvfb openbox xprop)
[ "$desktop" = qt6ct ] && tools+=(qt6ct)
for tool in "${tools[@]}"; do
  command -v "$tool" >/dev/null || { echo "screenshots: skipped, $tool is not installed"; exit 77; }
done
if [ "$desktop" = gtk ] && ! compgen -G "/usr/lib/*/qt6/plugins/platformthemes/libqgtk3.so" >/dev/null; then
  echo "screenshots: skipped, Qt's GTK theme is not installed"; exit 77
fi
bindir=$(realpath "$1")
shots="$bindir/screenshots/$desktop"
rm -rf "$shots"
mkdir -p "$shots"
DESKTOP_ENV=()
[ "$desktop" != light ] && dark_desktop "$desktop" "$shots/config"

start_desktop
trap stop_xvfb EXIT
said=$(cd "$bindir" && env "${DESKTOP_ENV[@]}" QT_QPA_PLATFORM=xcb ./orvalen_screenshots "$shots")
status=0
# The desktop's scheme was applied: Qt was handed its dark colours.
if [ "$desktop" != light ]; then
  colour=$(sed -n 's/^desktop window colour #//p' <<<"$said")
  if [ -z "$colour" ] || (( 0x${colour:0:2} + 0x${colour:2:2} + 0x${colour:4:2} >= 3 * 128 )); then
    echo "screenshots: the $desktop desktop handed Qt no dark colours (window #$colour): was its scheme applied?"
    status=1
  fi
fi
for shot in "$shots"/*.png; do
  name=$(basename "$shot")
  if cmp -s "$shot" "$ROOT/docs/$name"; then
    rm "$shot"
  else
    echo "screenshots: $name on the $desktop desktop differs from docs/$name (see $shot)"
    status=1
  fi
done
[ "$status" = 0 ] && echo "screenshots: every window looks as docs/ shows it on the $desktop desktop"
exit "$status"
