#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
# scripts/windows-qt.sh <prefix>: cross-builds Qt for 64-bit Windows as
# DLLs (Core, Gui, Widgets, Test and the windows, offscreen and minimal
# platforms), from Debian's qt6-base source at the version in the cache key
# scripts/windows.sh makes (that of the machine's own Qt, whose host tools
# it uses), which hashes this file too. Run by scripts/windows.sh, not by
# hand.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

source "$ROOT/scripts/windows-sources.sh" "$1" qt

echo "windows-qt: Qt $QT_VERSION (about half an hour on two cores)"
src=$(fetch "qt6-base=$QT_VERSION")
mkdir -p "$WORK/b-qt"
# What the program uses and nothing else; Qt's own copies of the image and
# text libraries. Debian's repacked source has no Wintab header, and a
# timer needs no tablet.
(cd "$WORK/b-qt" && "$src/configure" -release -shared -prefix "$PREFIX" \
  -xplatform win32-g++ -device-option CROSS_COMPILE=x86_64-w64-mingw32- -qt-host-path /usr \
  -nomake examples -nomake tests \
  -no-opengl -no-dbus -no-icu -no-openssl -no-feature-sql -no-feature-network -no-feature-printsupport \
  -no-feature-concurrent -no-feature-xml -no-feature-vulkan -no-feature-tabletevent -no-feature-jpeg \
  -qt-zlib -qt-libpng -qt-pcre -qt-harfbuzz -qt-freetype -qt-doubleconversion \
  -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  >"$WORK/qt-configure.log" 2>&1) || { tail -40 "$WORK/qt-configure.log"; exit 1; }
cmake --build "$WORK/b-qt" >"$WORK/qt-build.log" 2>&1 || { tail -40 "$WORK/qt-build.log"; exit 1; }
cmake --install "$WORK/b-qt" >/dev/null
