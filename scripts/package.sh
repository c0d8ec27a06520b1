#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package build/orvalen_<version>_<arch>.deb after checking
# the desktop entry and the AppStream metadata.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

"$ROOT/scripts/setup.sh"
ensure_packages dpkg-dev desktop-file-utils appstream
desktop-file-validate "$ROOT/packaging/org.orvalen.Orvalen.desktop"
appstreamcli validate --no-net --explain "$ROOT/packaging/org.orvalen.Orvalen.metainfo.xml"
(cd "$BUILD" && cpack -G DEB)
ls "$BUILD"/orvalen_*.deb
