#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the real program on Xvfb and reads its windows' pixels back: the
# figures of every timer must really be drawn through the X11 path, and so
# must the countdown's input dialog, whose picture it leaves in build/.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
ensure_packages xvfb python3 python3-xlib
"$ROOT/scripts/setup.sh"

start_xvfb
trap stop_xvfb EXIT
/usr/bin/python3 "$ROOT/tests/x11/x11_check.py" "$BUILD/bin" "$BUILD/input-dialog.png"
