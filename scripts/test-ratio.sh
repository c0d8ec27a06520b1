#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints how long the tests are as a share of all the C++: non-blank,
# non-comment lines of .cpp/.h under tests/ and fuzz/ against every .cpp/.h
# of the repository, tests included. Fails above 0.34; the aim is between a
# quarter and a third.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
lines() { grep -c -v -E '^\s*(//.*)?$' "$@" /dev/null | awk -F: '{ n += $NF } END { print n + 0 }'; }
mapfile -t all < <(git ls-files -co --exclude-standard -- '*.cpp' '*.h')
tests=()
for f in "${all[@]}"; do
  case "$f" in tests/*|fuzz/*) tests+=("$f") ;; esac
done
t=$(lines "${tests[@]}")
a=$(lines "${all[@]}")
ratio=$(awk -v t="$t" -v a="$a" 'BEGIN { printf "%.3f", t / a }')
echo "test ratio: $t lines of tests and fuzz targets of $a lines of C++: $ratio (at most 0.34, aiming at 0.25 to 0.33)"
awk -v r="$ratio" 'BEGIN { exit !(r <= 0.34) }'
