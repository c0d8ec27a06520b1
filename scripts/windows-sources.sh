#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by scripts/windows-qt.sh and scripts/windows-libs.sh with <prefix>
# <part>: sets PREFIX, the cross toolchain and a work folder (removed on
# exit), and fetches Debian's source packages through a private list of
# deb-src lines (the machine's own apt setup is not touched) into it; their
# licence texts go to $PREFIX/licences.
PREFIX=$1
TOOLCHAIN=$ROOT/packaging/windows/mingw-w64.cmake
WORK=$(mktemp -d "${TMPDIR:-/tmp}/orvalen-windows-$2.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

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
  [ -n "$dsc" ] || { echo "windows: cannot fetch the source of $1" >&2; return 1; }
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

