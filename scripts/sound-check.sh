#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that cues are really heard, as the sound of their files and nothing
# after: the whole sequence of tests/sound/sound_check.py on a private
# PulseAudio server and again on a private PipeWire (CTest runs a shorter
# one).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
ensure_packages $SOUND_PACKAGES
"$ROOT/scripts/setup.sh"
cmake --build "$BUILD" --target cue_probe

/usr/bin/python3 "$ROOT/tests/sound/sound_check.py" "$BUILD/bin"
