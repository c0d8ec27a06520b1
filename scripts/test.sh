#!/usr/bin/env bash
# Sets everything up, builds, and runs the whole test suite.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${ORVALEN_BUILD_DIR:-$ROOT/build}
"$ROOT/scripts/setup.sh"
ctest --test-dir "$BUILD" --output-on-failure -j2
