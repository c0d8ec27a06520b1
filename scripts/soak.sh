#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the random soak through the real program for longer than the test
# suite does: scripts/soak.sh [events, 1000000 by default] [seed]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
"$ROOT/scripts/setup.sh"
export ORVALEN_SOAK_EVENTS=${1:-1000000}
if [ -n "${2:-}" ]; then export ORVALEN_SOAK_SEED=$2; fi
cd "$BUILD/bin"
QT_QPA_PLATFORM=offscreen ./test_longday soak -maxwarnings 0 2>&1 | grep -v 'does not support raise'
