#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Remakes the screenshots in docs/ under a private Xvfb with a window manager,
# so the window frames show as a user sees them:
#   scripts/screenshots.sh [--dark qt6ct|gtk] [folder, docs/ by default]
# --dark draws them on a dark desktop: qt6ct's scheme "darker", or Qt's GTK
# theme with Adwaita dark; every picture must come out the same there.
# The screenshots tests take them again, each way, and compare them with docs/.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
dark=
if [ "${1:-}" = --dark ]; then dark=$2; shift 2; fi
ensure_packages xvfb openbox x11-utils
[ -n "$dark" ] && ensure_packages $DARK_DESKTOP_PACKAGES
"$ROOT/scripts/setup.sh"
cmake --build "$BUILD" --target orvalen_screenshots

start_desktop
config=$(mktemp -d)
trap 'stop_xvfb; rm -rf "$config"' EXIT
out=$(realpath -m "${1:-$ROOT/docs}")
mkdir -p "$out"
cd "$BUILD/bin"
DESKTOP_ENV=()
[ -n "$dark" ] && dark_desktop "$dark" "$config"
env "${DESKTOP_ENV[@]}" QT_QPA_PLATFORM=xcb ./orvalen_screenshots "$out"
