#!/usr/bin/env bash
# Prints how long the tests are against the code they test: non-blank,
# non-comment lines of .cpp/.h under tests/ and fuzz/ against every other
# .cpp/.h of the repository. Fails above 0.40; the aim is a third.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
lines() { grep -c -v -E '^\s*(//.*)?$' "$@" /dev/null | awk -F: '{ n += $NF } END { print n + 0 }'; }
mapfile -t all < <(git ls-files -co --exclude-standard -- '*.cpp' '*.h')
tests=() code=()
for f in "${all[@]}"; do
  case "$f" in tests/*|fuzz/*) tests+=("$f") ;; *) code+=("$f") ;; esac
done
t=$(lines "${tests[@]}")
c=$(lines "${code[@]}")
ratio=$(awk -v t="$t" -v c="$c" 'BEGIN { printf "%.3f", t / c }')
echo "test ratio: $t lines of tests and fuzz targets against $c of code: $ratio (at most 0.40, aiming at a third)"
awk -v r="$ratio" 'BEGIN { exit !(r <= 0.40) }'
