#!/usr/bin/env bash
# Sets everything up, builds, and starts Orvalen from the folder that holds
# its cue files.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${ORVALEN_BUILD_DIR:-$ROOT/build}
"$ROOT/scripts/setup.sh"
cd "$BUILD/bin"
exec ./orvalen "$@"
