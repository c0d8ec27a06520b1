#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the whole test suite with AddressSanitizer and
# UndefinedBehaviorSanitizer (no recovery) in build-asan/ and runs it; a leak
# or any sanitizer report fails the run.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
ASAN_BUILD=${ORVALEN_ASAN_BUILD_DIR:-$ROOT/build-asan}

"$ROOT/scripts/setup.sh" >/dev/null
cmake -S "$ROOT" -B "$ASAN_BUILD" -DCMAKE_BUILD_TYPE=Debug -DORVALEN_SANITIZE=ON
cmake --build "$ASAN_BUILD" -j"$(nproc)"
# The screenshots are left out: the pictures are the same with or without
# the sanitizers, and the slowed program may not have finished painting
# when a picture is taken.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
LSAN_OPTIONS=suppressions=$ROOT/tests/sanitizers/lsan.supp:print_suppressions=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$ASAN_BUILD" --output-on-failure -j2 --exclude-regex '^screenshots'
