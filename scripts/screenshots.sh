#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Remakes the screenshots in docs/ under a private Xvfb with a window manager,
# so the window frames show as a user sees them:
#   scripts/screenshots.sh [folder, docs/ by default]
# The test "screenshots" takes them again and compares them with docs/.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
ensure_packages xvfb openbox x11-utils
"$ROOT/scripts/setup.sh"
cmake --build "$BUILD" --target orvalen_screenshots

start_desktop
trap stop_xvfb EXIT
out=$(realpath -m "${1:-$ROOT/docs}")
mkdir -p "$out"
cd "$BUILD/bin"
QT_QPA_PLATFORM=xcb ./orvalen_screenshots "$out"
