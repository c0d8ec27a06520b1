#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts Orvalen under Xvfb with the AT-SPI accessibility bus and reads its
# controls' names and texts from outside, as a screen reader would.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
ensure_packages xvfb dbus dbus-x11 at-spi2-core python3-pyatspi
"$ROOT/scripts/setup.sh"

start_xvfb
trap stop_xvfb EXIT
cd "$BUILD/bin"
dbus-run-session -- bash -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  owned() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
      string:org.a11y.Bus 2>/dev/null | grep -q "boolean true"
  }
  for _ in $(seq 100); do owned && break; sleep 0.1; done
  owned || { echo "atspi: the accessibility bus did not come up within 10 s"; exit 1; }
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb ./orvalen >/dev/null 2>&1 &
  app=$!
  status=0
  /usr/bin/python3 "'"$ROOT"'/scripts/atspi_names.py" || status=$?
  kill $app 2>/dev/null || true
  exit $status
'
