#!/usr/bin/env bash
# Sets everything up, builds, and starts Orvalen from the folder that holds
# its cue files.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
"$ROOT/scripts/setup.sh"
cd "$BUILD/bin"
exec ./orvalen "$@"
