#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets everything up, builds, and starts Orvalen from the caller's folder,
# where it looks for daily.exe; it finds its cue files beside itself.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
"$ROOT/scripts/setup.sh"
exec "$BUILD/bin/orvalen" "$@"
