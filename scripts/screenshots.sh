#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Remakes the screenshots in docs/ under a private Xvfb with a window manager,
# so the window frames show as a user sees them:
#   scripts/screenshots.sh [--dark] [folder, docs/ by default]
# --dark draws them on a dark desktop (qt6ct's scheme "darker"); every
# window but Qt's input dialog must look the same there.
# The test "screenshots" takes them again, both ways, and compares them with docs/.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
dark=0
if [ "${1:-}" = --dark ]; then dark=1; shift; fi
ensure_packages xvfb openbox x11-utils
[ "$dark" = 1 ] && ensure_packages qt6ct
"$ROOT/scripts/setup.sh"
cmake --build "$BUILD" --target orvalen_screenshots

start_desktop
config=$(mktemp -d)
trap 'stop_xvfb; rm -rf "$config"' EXIT
out=$(realpath -m "${1:-$ROOT/docs}")
mkdir -p "$out"
cd "$BUILD/bin"
if [ "$dark" = 1 ]; then
  write_dark_scheme "$config"
  export XDG_CONFIG_HOME=$config QT_QPA_PLATFORMTHEME=qt6ct
fi
QT_QPA_PLATFORM=xcb ./orvalen_screenshots "$out"
