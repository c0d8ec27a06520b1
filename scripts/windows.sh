#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Orvalen for 64-bit Windows, on Debian, with Debian's mingw-w64:
# the program and its tests in build-windows/, then what a candidate
# downloads in build-windows/dist/: the installer Orvalen-<version>-setup.exe
# (NSIS) and the portable Orvalen-<version>-windows.zip.
#
# Qt and libsndfile with its codecs are cross-built from Debian's sources
# (scripts/windows-qt.sh, scripts/windows-libs.sh) into a cache outside the
# checkout, $ORVALEN_WINDOWS_CACHE (default ~/.cache/orvalen-windows), each
# in a folder named by a key: the versions of its sources, which are those
# of the machine's own Qt and libsndfile packages (the host Qt tools must be
# the very version of the Qt built), and a hash of its recipe. Each is built
# only when its key has no folder yet.
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
# Each part in a folder of the cache named by its key: the versions of its
# sources and a hash of its recipe and the compiler.
CACHE=${ORVALEN_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/orvalen-windows}
key() { # <recipe script>
  cat "$ROOT/scripts/$1" "$ROOT/scripts/windows-sources.sh" "$ROOT/packaging/windows/mingw-w64.cmake" \
    <(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix) | sha256sum | cut -c1-12
}
QT_PREFIX=$CACHE/qt-$QT_VERSION-$(key windows-qt.sh)
LIBS_PREFIX=$CACHE/sndfile-$LIBSNDFILE_VERSION-$(key windows-libs.sh)
build_part() { # <prefix> <recipe script>
  if [ ! -f "$1/complete" ]; then
    echo "windows: building $1"
    local started
    started=$(date +%s)
    # Built in place (the prefix is written into what is installed); the
    # mark of a whole build comes last.
    rm -rf "$1"
    mkdir -p "$1"
    "$ROOT/scripts/$2" "$1"
    echo "built in $(($(date +%s) - started)) s" >"$1/complete"
  fi
  echo "windows: $1 ($(cat "$1/complete"))"
}
build_part "$LIBS_PREFIX" windows-libs.sh
build_part "$QT_PREFIX" windows-qt.sh

# The program and its tests, built with the toolchain file of that Qt (which
# is told again where this checkout's compiler file is: the cache may have
# been made by another checkout).
export ORVALEN_WINDOWS_ROOT=$LIBS_PREFIX ORVALEN_WINDOWS_LICENCES="$QT_PREFIX/licences;$LIBS_PREFIX/licences"
# libsndfile and its codecs by their pkg-config files, never the machine's.
export PKG_CONFIG_LIBDIR=$LIBS_PREFIX/lib/pkgconfig PKG_CONFIG_PATH=
# A build made against another Qt or other libraries starts afresh.
if [ "$(cat "$WINDOWS_BUILD/made-with" 2>/dev/null)" != "$QT_PREFIX $LIBS_PREFIX" ]; then
  rm -rf "$WINDOWS_BUILD"
  mkdir -p "$WINDOWS_BUILD"
  echo "$QT_PREFIX $LIBS_PREFIX" >"$WINDOWS_BUILD/made-with"
fi
cmake -S "$ROOT" -B "$WINDOWS_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$QT_PREFIX/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$ROOT/packaging/windows/mingw-w64.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_PREFIX_PATH="$LIBS_PREFIX" -DCMAKE_CROSSCOMPILING_EMULATOR=/usr/lib/wine/wine64 >/dev/null
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
