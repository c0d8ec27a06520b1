#!/usr/bin/env bash
# Sets everything up, builds, and runs the whole test suite. Under CI (or with
# ORVALEN_PACKAGE_CHECK=1) it also builds the Debian package, installs it on
# this machine and starts the installed program.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

"$ROOT/scripts/setup.sh"
ctest --test-dir "$BUILD" --output-on-failure -j2
if [ -n "${CI:-}" ] || [ "${ORVALEN_PACKAGE_CHECK:-0}" = 1 ]; then
  "$ROOT/scripts/package-check.sh"
fi
