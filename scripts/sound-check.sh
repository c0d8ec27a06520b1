#!/usr/bin/env bash
# Checks that cues are really heard: a private PulseAudio server with two
# null sinks, cues requested through the program (offscreen) and heard on
# the sinks' monitors, a change of the default output, and a restart of the
# server mid-run (tests/sound/sound_check.py; CTest runs a shorter one).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
ensure_packages pulseaudio pulseaudio-utils libpulse-dev pkg-config python3
"$ROOT/scripts/setup.sh"
cmake --build "$BUILD" --target cue_probe

/usr/bin/python3 "$ROOT/tests/sound/sound_check.py" "$BUILD/bin"
