#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures Orvalen against a bare Qt window and writes bench/results.md:
#   scripts/bench.sh [runs, 5 by default]
# on Linux, then the Windows build under Wine (bench/wine.py; the build by
# scripts/windows.sh, which the first time builds Qt for Windows).
# Takes about five minutes a run. Never part of the test suite. Further
# options for bench/run.py may come in ORVALEN_BENCH_ARGS.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
runs=${1:-5}
ensure_packages xvfb python3 python3-xlib $SOUND_PACKAGES libpulse-dev pkg-config
"$ROOT/scripts/setup.sh"
cmake --build "$BUILD" -j"$(nproc)" --target bench_floor bench_driver cue_probe

start_xvfb
trap stop_xvfb EXIT
# shellcheck disable=SC2086
/usr/bin/python3 "$ROOT/bench/run.py" --runs "$runs" --bindir "$BUILD/bin" --root "$ROOT" ${ORVALEN_BENCH_ARGS:-} \
  | tee "$ROOT/bench/results.md.new"

ensure_packages wine64
"$ROOT/scripts/windows.sh" >/dev/null
windows_bin=${ORVALEN_WINDOWS_BUILD_DIR:-$ROOT/build-windows}/bin
cmake --build "$windows_bin/.." --target bench_floor >/dev/null
prefix=$(mktemp -d)
echo >>"$ROOT/bench/results.md.new"
WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
  /usr/bin/python3 "$ROOT/bench/wine.py" --runs "$runs" --bindir "$windows_bin" | tee -a "$ROOT/bench/results.md.new"
rm -rf "$prefix"
mv "$ROOT/bench/results.md.new" "$ROOT/bench/results.md"
