#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer on) and runs each for the given number of
# seconds (60 by default), starting from the seed corpus in fuzz/corpus.
# A crash stops the run; its input is left in build-fuzz/ as crash-*.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
seconds=${1:-60}
FUZZ_BUILD=${ORVALEN_FUZZ_BUILD_DIR:-$ROOT/build-fuzz}

ensure_packages qt6-base-dev libgl-dev libpulse-dev libsndfile1-dev pkg-config make clang libclang-rt-14-dev
cmake -S "$ROOT" -B "$FUZZ_BUILD" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DORVALEN_FUZZ=ON -DBUILD_TESTING=OFF
targets=(leading_number time_of_day cue_sound)
cmake --build "$FUZZ_BUILD" -j"$(nproc)" --target "${targets[@]/#/fuzz_}"

for t in "${targets[@]}"; do
  work=$(mktemp -d)
  cp "$ROOT/fuzz/corpus/$t"/* "$work/"
  # The cue file reader starts from a file of every form it reads too.
  [ "$t" = cue_sound ] && cp "$ROOT/tests/cues/formats"/* "$work/"
  echo "fuzz: $t for ${seconds}s"
  log="$FUZZ_BUILD/fuzz_$t.log"
  if ! (cd "$FUZZ_BUILD" && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$ROOT/fuzz/leaks.supp UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        "./bin/fuzz_$t" -max_total_time="$seconds" -timeout=10 -max_len=4096 -print_final_stats=1 "$work" >"$log" 2>&1); then
    tail -n 60 "$log"
    echo "fuzz: $t failed; the input that broke it is in $FUZZ_BUILD/crash-*"
    exit 1
  fi
  grep -E 'stat::(number_of_executed_units|average_exec_per_sec)' "$log" || true
  rm -rf "$work"
done
echo "fuzz: no crash in ${#targets[@]} targets"
