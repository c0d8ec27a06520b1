#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Orvalen needs (only those missing), then
# configures and builds it in build/ (or $ORVALEN_BUILD_DIR).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

ensure_packages \
  qt6-base-dev `# Qt Widgets, Gui, Core, Test and the platform plugins` \
  qt6-base-private-dev `# the tests deliver a close as the window system does` \
  qt6-translations-l10n `# Qt's own dialogs and menus in Japanese` \
  libgl-dev `# needed by Qt's CMake package for Gui` \
  fonts-noto-cjk `# the Japanese Gothic faces the windows are drawn with` \
  python3-fonttools fontconfig `# to cut those faces down to the program's characters` \
  libpulse-dev libsndfile1-dev pkg-config `# the cue player: PulseAudio streams, cue files decoded by libsndfile` \
  make

cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD" -j"$(nproc)"
