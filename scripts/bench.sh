#!/usr/bin/env bash
# Measures Orvalen against a bare Qt window and writes bench/results.md:
#   scripts/bench.sh [runs, 5 by default]
# Takes about five minutes a run. Never part of the test suite.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
runs=${1:-5}
ensure_packages xvfb python3 python3-xlib pulseaudio pulseaudio-utils libpulse-dev pkg-config
"$ROOT/scripts/setup.sh"
cmake --build "$BUILD" -j"$(nproc)" --target bench_floor bench_driver cue_probe

display=:$((70 + RANDOM % 9))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
DISPLAY=$display /usr/bin/python3 "$ROOT/bench/run.py" --runs "$runs" --bindir "$BUILD/bin" --root "$ROOT" \
  | tee "$ROOT/bench/results.md.new"
mv "$ROOT/bench/results.md.new" "$ROOT/bench/results.md"
