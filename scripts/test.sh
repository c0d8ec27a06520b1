#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets everything up, builds, and runs every check:
#   1. the test suite (CTest, offscreen): behaviour tables for every folder,
#      the object model of every window, the include rules of the layers, the
#      real program started, every screenshot in docs/ taken again on Xvfb
#      and compared, a short real-sound check, and a long day (memory flat
#      across 2,000 openings of each timer and 50 papers, then a random soak);
#   2. the static analysers, clazy and clang-tidy, over the product sources;
#   3. the same suite built with AddressSanitizer and UndefinedBehaviorSanitizer;
#   4. each fuzz target for 60 s (ORVALEN_FUZZ_SECONDS);
#   5. cues heard on a real (null-sink) PulseAudio server and on PipeWire,
#      also after a change of the default output and a restart of the server;
#   6. the windows' figures really drawn by the real program on Xvfb;
#   7. the names and texts a screen reader reads from outside (AT-SPI);
#   8. the Debian package: built, its contents checked and the program in it
#      started; only in CI (CI set) is it installed on the machine, and then
#      the machine's earlier orvalen, or none, is put back;
#   9. the Windows build (scripts/windows.sh) under Wine: its test suite, and
#      its installer installed, the program seen and heard, and uninstalled.
# It ends with the length of the tests against the code.
# ORVALEN_QUICK=1 runs the first step only.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# The suite's short real-sound check needs the sound servers to start, and
# its screenshots a private X server with a window manager.
ensure_packages $SOUND_PACKAGES xvfb openbox x11-utils $DARK_DESKTOP_PACKAGES
"$ROOT/scripts/setup.sh"
ctest --test-dir "$BUILD" --output-on-failure -j2
[ "${ORVALEN_QUICK:-0}" = 1 ] && exit 0

"$ROOT/scripts/static-check.sh"
"$ROOT/scripts/sanitize.sh"
"$ROOT/scripts/fuzz.sh" "${ORVALEN_FUZZ_SECONDS:-60}"
"$ROOT/scripts/sound-check.sh"
"$ROOT/scripts/x11-check.sh"
"$ROOT/scripts/atspi-check.sh"
"$ROOT/scripts/package-check.sh"
"$ROOT/scripts/windows-check.sh"
"$ROOT/scripts/test-ratio.sh"
