#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Orvalen for Windows (scripts/windows.sh) and checks it under
# Debian's Wine, each time in a fresh Wine prefix of its own:
#   1. the fast test suite, built for Windows (offscreen platform);
#   2. the installer, as a candidate uses it, on a private Xvfb and a
#      private PulseAudio (tests/windows/windows_check.py):
#      a silent install, the program started with the windows platform, its
#      menu against docs/menu.png, a cue heard, the uninstaller.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

ensure_packages wine64 xvfb x11-utils imagemagick python3-xlib $SOUND_PACKAGES
"$ROOT/scripts/windows.sh"
WINDOWS_BUILD=${ORVALEN_WINDOWS_BUILD_DIR:-$ROOT/build-windows}

scratch=$(mktemp -d "${TMPDIR:-/tmp}/orvalen-windows-check.XXXXXX")
start_xvfb
cleanup() {
  WINEPREFIX=$scratch/prefix /usr/lib/wine/wineserver -k 2>/dev/null || true
  [ -n "${PULSE_PID:-}" ] && kill "$PULSE_PID" 2>/dev/null || true
  stop_xvfb
  rm -rf "$scratch"
}
trap cleanup EXIT

# A private PulseAudio with a null sink, so that Wine has an output device
# and the tests play their cues through it.
runtime=$scratch/runtime
mkdir -m 700 -p "$runtime/pulse"
export XDG_RUNTIME_DIR=$runtime PULSE_RUNTIME_PATH=$runtime/pulse PULSE_SERVER=unix:$runtime/pulse/native
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
  --load="module-native-protocol-unix socket=$runtime/pulse/native auth-anonymous=1" \
  --load="module-null-sink sink_name=orvalen" >/dev/null 2>&1 &
PULSE_PID=$!
for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done

# Wine makes its prefix on first use; without Mono and Gecko, which it would
# offer to download, without its debugger, which would hold a crashing
# program open (the tests make one crash), and with its chatter off.
export WINEPREFIX=$scratch/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
/usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
/usr/lib/wine/wineserver -w
echo "windows: the test suite under Wine"
ctest --test-dir "$WINDOWS_BUILD" --output-on-failure
/usr/lib/wine/wineserver -k 2>/dev/null || true
# The installer's check starts a sound server of its own.
kill "$PULSE_PID" && wait "$PULSE_PID" 2>/dev/null || true
PULSE_PID=

installer=$(ls "$WINDOWS_BUILD"/dist/Orvalen-*-setup.exe)
/usr/bin/python3 "$ROOT/tests/windows/windows_check.py" "$installer" "$WINDOWS_BUILD/check"
echo "windows: $(cd "$WINDOWS_BUILD/dist" && du -h -- * | tr '\t' ' ' | paste -sd ';' | sed 's/;/; /g')"
