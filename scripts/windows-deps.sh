#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
# scripts/windows-deps.sh <prefix>: cross-builds, for 64-bit Windows, what
# the program needs and Debian has no package of: Qt (Core, Gui, Widgets,
# Test and the windows, offscreen and minimal platforms) as DLLs, and
# libsndfile with the codecs it uses on Debian (Ogg, Vorbis, FLAC, Opus,
# mpg123, LAME), static. Every source comes from Debian (apt-get source,
# through a private list of deb-src lines: the machine's own apt setup is
# not touched), at the versions in the cache key scripts/windows.sh makes,
# which hashes this file too. Run by scripts/windows.sh, not by hand.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

PREFIX=$1
TOOLCHAIN=$ROOT/packaging/windows/mingw-w64.cmake
WORK=$(mktemp -d "${TMPDIR:-/tmp}/orvalen-windows-deps.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
export ORVALEN_WINDOWS_ROOT=$PREFIX/deps
# Only the Windows libraries' pkg-config files, never the machine's.
export PKG_CONFIG_LIBDIR=$PREFIX/deps/lib/pkgconfig PKG_CONFIG_PATH=

# A private apt that knows Debian's source packages.
APT=$WORK/apt
mkdir -p "$APT/lists/partial" "$APT/cache/archives/partial"
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
cat >"$APT/sources.list" <<LIST
deb-src http://deb.debian.org/debian $codename main
deb-src http://deb.debian.org/debian $codename-updates main
deb-src http://deb.debian.org/debian-security $codename-security main
LIST
apt_private=(-o Dir::Etc::SourceList="$APT/sources.list" -o Dir::Etc::SourceParts=/nonexistent
  -o Dir::State::Lists="$APT/lists" -o Dir::Cache="$APT/cache" -o Debug::NoLocking=1)
# apt's sandbox user cannot reach a private folder.
[ "$(id -u)" -ne 0 ] || apt_private+=(-o APT::Sandbox::User=root)
apt-get "${apt_private[@]}" -qq update
# source <package>=<version>: unpacked, Debian's patches applied; echoes its folder.
fetch() {
  local name=${1%%=*} dir dsc
  # The mirror may lack an upstream signature (.asc) that the source lists:
  # apt then fetches the rest, each file checked against Debian's signed
  # index, and reports a failure that is only that.
  (cd "$WORK" && apt-get "${apt_private[@]}" -qq --only-source --download-only source "$1" >/dev/null 2>&1) || true
  dsc=$(ls "$WORK/${name}_"*.dsc 2>/dev/null | head -n 1)
  [ -n "$dsc" ] || { echo "windows-deps: cannot fetch the source of $1" >&2; return 1; }
  dir=$WORK/src-$name
  if ! dpkg-source -q -x "$dsc" "$dir" >/dev/null 2>&1; then
    # Unpacked as dpkg-source would: upstream's tarball, Debian's folder,
    # Debian's patches in order.
    rm -rf "$dir"
    mkdir -p "$dir"
    tar -xf "$(ls "$WORK/${name}_"*.orig.tar.* | grep -v '\.asc$' | head -n 1)" -C "$dir" --strip-components=1
    tar -xf "$(ls "$WORK/${name}_"*.debian.tar.* | head -n 1)" -C "$dir"
    if [ -f "$dir/debian/patches/series" ]; then
      grep -v '^[[:space:]]*\(#\|$\)' "$dir/debian/patches/series" | while read -r patch _; do
        patch -s -p1 -d "$dir" <"$dir/debian/patches/$patch"
      done
    fi
  fi
  # The licence texts the installer and the zip carry.
  mkdir -p "$PREFIX/licences"
  cp "$dir/debian/copyright" "$PREFIX/licences/$name.txt"
  echo "$dir"
}

cmake_cross() { # <source> <build> [cmake arguments]
  local src=$1 build=$2
  shift 2
  (cmake -S "$src" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$PREFIX/deps" -DBUILD_SHARED_LIBS=OFF -DCMAKE_POSITION_INDEPENDENT_CODE=ON "$@" \
    && cmake --build "$build" && cmake --install "$build") >"$build.log" 2>&1 || { tail -40 "$build.log"; return 1; }
}

autotools_cross() { # <source> [configure arguments]
  local src=$1
  shift
  (cd "$src" && ./configure -q --host=x86_64-w64-mingw32 --prefix="$PREFIX/deps" --disable-shared --enable-static \
    CC=x86_64-w64-mingw32-gcc-posix "$@" && make -s -j"$(nproc)" && make -s install) >"$src.log" 2>&1 \
    || { tail -40 "$src.log"; return 1; }
}

echo "windows-deps: the codecs and libsndfile"
src=$(fetch "libogg=$LIBOGG_VERSION")
cmake_cross "$src" "$WORK/b-ogg" -DINSTALL_DOCS=OFF
src=$(fetch "libvorbis=$LIBVORBIS_VERSION")
cmake_cross "$src" "$WORK/b-vorbis"
src=$(fetch "opus=$OPUS_VERSION")
# Its CMake files are incomplete in this release.
autotools_cross "$src" --disable-doc --disable-extra-programs --disable-stack-protector
src=$(fetch "flac=$FLAC_VERSION")
cmake_cross "$src" "$WORK/b-flac" -DBUILD_CXXLIBS=OFF -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF \
  -DBUILD_TESTING=OFF -DBUILD_DOCS=OFF -DINSTALL_MANPAGES=OFF -DWITH_STACK_PROTECTOR=OFF -DWITH_FORTIFY_SOURCE=OFF
src=$(fetch "mpg123=$MPG123_VERSION")
cmake_cross "$src/ports/cmake" "$WORK/b-mpg123" -DBUILD_LIBOUT123=OFF
src=$(fetch "lame=$LAME_VERSION")
autotools_cross "$src" --disable-frontend --disable-decoder --disable-gtktest
src=$(fetch "libsndfile=$LIBSNDFILE_VERSION")
cmake_cross "$src" "$WORK/b-sndfile" -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_TESTING=OFF \
  -DENABLE_CPACK=OFF -DINSTALL_MANPAGES=OFF -DCMAKE_PREFIX_PATH="$PREFIX/deps"

echo "windows-deps: Qt $QT_VERSION (about half an hour on two cores)"
src=$(fetch "qt6-base=$QT_VERSION")
mkdir -p "$WORK/b-qt"
# What the program uses and nothing else; Qt's own copies of the image and
# text libraries. Debian's repacked source has no Wintab header, and a
# timer needs no tablet.
(cd "$WORK/b-qt" && "$src/configure" -release -shared -prefix "$PREFIX/qt" \
  -xplatform win32-g++ -device-option CROSS_COMPILE=x86_64-w64-mingw32- -qt-host-path /usr \
  -nomake examples -nomake tests \
  -no-opengl -no-dbus -no-icu -no-openssl -no-feature-sql -no-feature-network -no-feature-printsupport \
  -no-feature-concurrent -no-feature-xml -no-feature-vulkan -no-feature-tabletevent -no-feature-jpeg \
  -qt-zlib -qt-libpng -qt-pcre -qt-harfbuzz -qt-freetype -qt-doubleconversion \
  -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  >"$WORK/qt-configure.log" 2>&1) || { tail -40 "$WORK/qt-configure.log"; exit 1; }
cmake --build "$WORK/b-qt" >"$WORK/qt-build.log" 2>&1 || { tail -40 "$WORK/qt-build.log"; exit 1; }
cmake --install "$WORK/b-qt" >/dev/null
