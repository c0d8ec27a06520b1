#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
# scripts/windows-libs.sh <prefix>: cross-builds, static, for 64-bit
# Windows, libsndfile with the codecs it uses on Debian (Ogg, Vorbis, FLAC,
# Opus, mpg123, LAME), from Debian's sources at the versions in the cache
# key scripts/windows.sh makes, which hashes this file too. Run by
# scripts/windows.sh, not by hand.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

source "$ROOT/scripts/windows-sources.sh" "$1" libs
export ORVALEN_WINDOWS_ROOT=$PREFIX
# Only the Windows libraries' pkg-config files, never the machine's.
export PKG_CONFIG_LIBDIR=$PREFIX/lib/pkgconfig PKG_CONFIG_PATH=

cmake_cross() { # <source> <build> [cmake arguments]
  local src=$1 build=$2
  shift 2
  (cmake -S "$src" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" -DBUILD_SHARED_LIBS=OFF -DCMAKE_POSITION_INDEPENDENT_CODE=ON "$@" \
    && cmake --build "$build" && cmake --install "$build") >"$build.log" 2>&1 || { tail -40 "$build.log"; return 1; }
}

autotools_cross() { # <source> [configure arguments]
  local src=$1
  shift
  (cd "$src" && ./configure -q --host=x86_64-w64-mingw32 --prefix="$PREFIX" --disable-shared --enable-static \
    CC=x86_64-w64-mingw32-gcc-posix "$@" && make -s -j"$(nproc)" && make -s install) >"$src.log" 2>&1 \
    || { tail -40 "$src.log"; return 1; }
}

echo "windows-libs: the codecs and libsndfile"
src=$(fetch "libogg=$LIBOGG_VERSION")
cmake_cross "$src" "$WORK/b-ogg" -DINSTALL_DOCS=OFF
src=$(fetch "libvorbis=$LIBVORBIS_VERSION")
cmake_cross "$src" "$WORK/b-vorbis"
src=$(fetch "opus=$OPUS_VERSION")
# Its CMake files are incomplete in this release. Without the fortified
# string functions, which would need libssp beside the program.
autotools_cross "$src" --disable-doc --disable-extra-programs --disable-stack-protector CPPFLAGS=-D_FORTIFY_SOURCE=0
src=$(fetch "flac=$FLAC_VERSION")
cmake_cross "$src" "$WORK/b-flac" -DBUILD_CXXLIBS=OFF -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF \
  -DBUILD_TESTING=OFF -DBUILD_DOCS=OFF -DINSTALL_MANPAGES=OFF -DWITH_STACK_PROTECTOR=OFF -DWITH_FORTIFY_SOURCE=OFF
src=$(fetch "mpg123=$MPG123_VERSION")
cmake_cross "$src/ports/cmake" "$WORK/b-mpg123" -DBUILD_LIBOUT123=OFF
src=$(fetch "lame=$LAME_VERSION")
autotools_cross "$src" --disable-frontend --disable-decoder --disable-gtktest
src=$(fetch "libsndfile=$LIBSNDFILE_VERSION")
# FLAC's headers are told that its library is linked in, not a DLL.
cmake_cross "$src" "$WORK/b-sndfile" -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_TESTING=OFF \
  -DENABLE_CPACK=OFF -DINSTALL_MANPAGES=OFF -DCMAKE_PREFIX_PATH="$PREFIX" -DCMAKE_C_FLAGS=-DFLAC__NO_DLL

