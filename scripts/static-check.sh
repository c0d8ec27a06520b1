#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the Qt-aware analyser clazy (levels 0 and 1) and clang-tidy (the
# checks in .clang-tidy) over the program's own sources, as the build
# compiles them; fails on any finding. Tests, tools and the benchmark are
# not analysed.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
ensure_packages clazy clang-tidy
"$ROOT/scripts/setup.sh" >/dev/null

# Off, and why:
# - qproperty-without-notify: the object model's properties (LpDivTime,
#   PassCnt and the rest) are read-only views of a window's state for
#   outside tools, which read them when they need them. A NOTIFY signal for
#   each would be emitted on every tick with nobody listening, and would add
#   signals to the object model that nothing asked for.
clazy_checks=level0,level1,no-qproperty-without-notify

mapfile -t sources < <(
  cd "$ROOT" && while IFS=: read -r folder _; do
    ls "$folder"/*.cpp
  done < <(grep -E '^[a-z_]+:' layers.txt) | sed "s|^|$ROOT/|")
((${#sources[@]})) || { echo "static check: no sources found"; exit 1; }
[ -f "$BUILD/compile_commands.json" ] || { echo "static check: no $BUILD/compile_commands.json"; exit 1; }

out=$(mktemp)
trap 'rm -f "$out"' EXIT
jobs=$(nproc)
printf '%s\n' "${sources[@]}" | xargs -P "$jobs" -n 4 \
  clazy-standalone -p "$BUILD" --checks="$clazy_checks" >"$out" 2>&1 || true
printf '%s\n' "${sources[@]}" | xargs -P "$jobs" -n 4 \
  clang-tidy -p "$BUILD" --quiet >>"$out" 2>&1 || true

# Each finding once (a header is seen from every source that includes it).
findings=$(grep -E '(warning|error):' "$out" | sort -u || true)
if [ -n "$findings" ]; then
  printf '%s\n' "$findings"
  echo "static check: $(wc -l <<<"$findings") findings in ${#sources[@]} sources"
  exit 1
fi
echo "static check: clazy (level 0 and 1) and clang-tidy find nothing in ${#sources[@]} sources"
