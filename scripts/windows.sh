#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Orvalen for 64-bit Windows, on Debian, with Debian's mingw-w64:
# the program and its tests in build-windows/, then what a candidate
# downloads in build-windows/dist/: the installer Orvalen-<version>-setup.exe
# (NSIS) and the portable Orvalen-<version>-windows.zip.
#
# Qt and libsndfile with its codecs are cross-built from Debian's sources
# (scripts/windows-deps.sh) into a cache outside the checkout,
# $ORVALEN_WINDOWS_CACHE (default ~/.cache/orvalen-windows), in a folder
# named by a key: the versions of the sources, which are those of the
# machine's own Qt and libsndfile packages (the host Qt tools must be the
# very version of the Qt built), and a hash of the recipe. It is built only
# when that key has no folder yet.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

WINDOWS_BUILD=${ORVALEN_WINDOWS_BUILD_DIR:-$ROOT/build-windows}
ensure_packages g++-mingw-w64-x86-64-posix ninja-build dpkg-dev xz-utils bzip2 patch nsis zip \
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libsndfile1-dev

version_of() { dpkg-query -W -f='${source:Version}' "$1"; }
export QT_VERSION LIBOGG_VERSION LIBVORBIS_VERSION OPUS_VERSION FLAC_VERSION MPG123_VERSION LAME_VERSION LIBSNDFILE_VERSION
QT_VERSION=$(version_of qt6-base-dev)
LIBOGG_VERSION=$(version_of libogg0)
LIBVORBIS_VERSION=$(version_of libvorbis0a)
OPUS_VERSION=$(version_of libopus0)
FLAC_VERSION=$(version_of libflac12)
MPG123_VERSION=$(version_of libmpg123-0)
LAME_VERSION=$(version_of libmp3lame0)
LIBSNDFILE_VERSION=$(version_of libsndfile1)
recipe=$(cat "$ROOT/scripts/windows-deps.sh" "$ROOT/packaging/windows/mingw-w64.cmake" \
  <(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix) | sha256sum | cut -c1-12)
KEY=qt-$QT_VERSION-sndfile-$LIBSNDFILE_VERSION-$recipe
CACHE=${ORVALEN_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/orvalen-windows}
DEPS=$CACHE/$KEY
if [ ! -f "$DEPS/complete" ]; then
  echo "windows: building Qt and the libraries for Windows into $DEPS"
  started=$(date +%s)
  # Built in place (the prefixes are written into what is installed); the
  # mark of a whole build comes last.
  rm -rf "$DEPS"
  mkdir -p "$DEPS"
  "$ROOT/scripts/windows-deps.sh" "$DEPS"
  echo "built in $(($(date +%s) - started)) s" >"$DEPS/complete"
fi
echo "windows: Qt and the libraries from $DEPS ($(cat "$DEPS/complete"))"

# The program and its tests, built with the toolchain file of that Qt (which
# is told again where this checkout's compiler file is: the cache may have
# been made by another checkout).
export ORVALEN_WINDOWS_ROOT=$DEPS/deps
cmake -S "$ROOT" -B "$WINDOWS_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$DEPS/qt/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$ROOT/packaging/windows/mingw-w64.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_PREFIX_PATH="$DEPS/deps" -DCMAKE_CROSSCOMPILING_EMULATOR=wine64 >/dev/null
cmake --build "$WINDOWS_BUILD"

# What a candidate downloads: the program's folder, as a zip and behind an
# installer.
version=$(sed -n 's/^project(Orvalen VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt")
DIST=$WINDOWS_BUILD/dist
STAGE=$WINDOWS_BUILD/stage/Orvalen
rm -rf "$DIST" "$WINDOWS_BUILD/stage"
mkdir -p "$DIST"
cmake --install "$WINDOWS_BUILD" --prefix "$STAGE" >/dev/null
# Symbols are of no use to a candidate, and double the size.
find "$STAGE" \( -name '*.dll' -o -name '*.exe' \) -exec x86_64-w64-mingw32-strip --strip-unneeded {} +
(cd "$WINDOWS_BUILD/stage" && zip -q -r -X "$DIST/Orvalen-$version-windows.zip" Orvalen)
# The uninstaller removes exactly the files the installer put in place.
LISTS=$WINDOWS_BUILD/stage
: >"$LISTS/install.nsh"
: >"$LISTS/uninstall.nsh"
folder=none
while IFS= read -r file; do
  here=$(dirname "$file")
  if [ "$here" != "$folder" ]; then
    folder=$here
    echo "SetOutPath \"\$INSTDIR\\${here//\//\\}\"" | sed 's/\\\.\"$/"/' >>"$LISTS/install.nsh"
  fi
  echo "File \"$STAGE/$file\"" >>"$LISTS/install.nsh"
  echo "Delete \"\$INSTDIR\\${file//\//\\}\"" >>"$LISTS/uninstall.nsh"
done < <(cd "$STAGE" && find . -type f | sed 's|^\./||' | sort)
(cd "$STAGE" && find . -mindepth 1 -type d | sed 's|^\./||' | sort -r) | while IFS= read -r dir; do
  echo "RMDir \"\$INSTDIR\\${dir//\//\\}\"" >>"$LISTS/uninstall.nsh"
done
makensis -V2 -DVERSION="$version" -DLISTS="$LISTS" \
  -DICON="$ROOT/resources/orvalen.ico" -DOUTFILE="$DIST/Orvalen-$version-setup.exe" \
  "$ROOT/packaging/windows/orvalen.nsi"
ls -l "$DIST"
