#!/usr/bin/env bash
# Checks that cues are really heard: starts a private PulseAudio server with
# two null sinks, plays 20 cue requests and 20 countdown alarm ticks through
# the program (offscreen) and listens to the sink's monitor; then switches
# the default output and listens on the other sink.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
ensure_packages pulseaudio pulseaudio-utils libpulse-dev pkg-config
"$ROOT/scripts/setup.sh"
cmake --build "$BUILD" --target cue_probe

runtime=$(mktemp -d)
export XDG_RUNTIME_DIR=$runtime
export PULSE_RUNTIME_PATH=$runtime/pulse
export PULSE_SERVER=unix:$runtime/pulse/native
mkdir -p "$PULSE_RUNTIME_PATH"
pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --use-pid-file=no \
  --load="module-native-protocol-unix socket=$runtime/pulse/native auth-anonymous=1" \
  --load="module-null-sink sink_name=orvalen_a" \
  --load="module-null-sink sink_name=orvalen_b" >"$runtime/pulse.log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null || true; rm -rf "$runtime"' EXIT
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl set-default-sink orvalen_a

cd "$BUILD/bin"
./cue_probe orvalen_a orvalen_b
