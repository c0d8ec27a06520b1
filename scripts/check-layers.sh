#!/usr/bin/env bash
# Fails, naming the file, when a product folder includes a folder above it or
# beside it. The layers, each listed with what it may include:
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
declare -A may=(
  [common]="common"
  [cues]="cues common"
  [widgets]="widgets cues common"
  [multiple_choice]="multiple_choice widgets cues common"
  [essay]="essay widgets cues common"
  [countdown]="countdown widgets cues common"
  [app]="app multiple_choice essay countdown widgets cues common"
)
status=0
for folder in "${!may[@]}"; do
  for file in "$folder"/*.cpp "$folder"/*.h; do
    [ -e "$file" ] || continue
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
  done
done
[ "$status" = 0 ] && echo "layers: every include points down"
exit "$status"
