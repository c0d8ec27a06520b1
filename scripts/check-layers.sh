#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails, naming the file, when a product folder includes a folder that
# layers.txt does not allow it.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
declare -A may=()
while IFS= read -r line; do
  [[ "$line" =~ ^([a-z_]+):(.*)$ ]] || continue
  may[${BASH_REMATCH[1]}]="${BASH_REMATCH[1]} ${BASH_REMATCH[2]}"
done < layers.txt
((${#may[@]})) || { echo "layers: no layers in layers.txt"; exit 1; }
status=0
for folder in "${!may[@]}"; do
  while IFS= read -r file; do
    while IFS= read -r line; do
      included=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]*)".*/\1/' <<<"$line")
      case "$included" in
        */*) top=${included%%/*} ;;
        *) top=$folder ;;  # a file beside it
      esac
      if [[ " ${may[$folder]} " != *" $top "* ]]; then
        echo "layers: $file includes \"$included\"; $folder/ may include only: ${may[$folder]}"
        status=1
      fi
    done < <(grep -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" || true)
  done < <(find "$folder" -name '*.cpp' -o -name '*.h')
done
[ "$status" = 0 ] && echo "layers: every include points down"
exit "$status"
