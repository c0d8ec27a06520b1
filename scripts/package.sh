#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package the Debian way (debhelper, debian/), running the
# fast tests as it builds, after checking the desktop entry and the AppStream
# metadata. It builds in a copy of the source under the build folder, so the
# source tree is left as it was; the package and its debug symbols land in
# the build folder ($ORVALEN_BUILD_DIR, or build/), and the package's path is
# the last line printed.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

ensure_packages dpkg-dev debhelper fakeroot git desktop-file-utils appstream
# The build dependencies debian/control names and the machine lacks.
unmet=$(dpkg-checkbuilddeps "$ROOT/debian/control" 2>&1 | sed -n 's/.*Unmet build dependencies: //p' \
  | sed -E 's/\([^)]*\)//g; s/<[^>]*>//g; s/\|[^ ]*//g')
if [ -n "$unmet" ]; then
  echo "orvalen: installing the package's build dependencies: $unmet"
  sudo=()
  if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
  "${sudo[@]}" apt-get update
  # shellcheck disable=SC2086
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $unmet
fi

desktop-file-validate "$ROOT/packaging/org.orvalen.Orvalen.desktop"
appstreamcli validate --no-net --pedantic --explain "$ROOT/packaging/org.orvalen.Orvalen.metainfo.xml" >/dev/null

work="$BUILD/deb"
rm -rf "$work"
mkdir -p "$work/orvalen"
# The files git knows of, as they are in the working tree.
(cd "$ROOT" && git ls-files -z --cached --others --exclude-standard \
  | tar --null --files-from=- --ignore-failed-read -cf -) | tar -xf - -C "$work/orvalen"
(cd "$work/orvalen" && DEB_BUILD_OPTIONS="parallel=$(nproc) ${DEB_BUILD_OPTIONS:-}" \
  dpkg-buildpackage --build=binary --no-sign) >"$work/build.log" 2>&1 \
  || { tail -n 80 "$work/build.log"; echo "package: the build failed; its log is $work/build.log"; exit 1; }

version=$(dpkg-parsechangelog -l "$ROOT/debian/changelog" -S Version)
arch=$(dpkg --print-architecture)
rm -f "$BUILD"/orvalen_*.deb "$BUILD"/orvalen-dbgsym_*.deb
mv "$work"/orvalen_"${version}"_"${arch}".deb "$work"/orvalen-dbgsym_"${version}"_"${arch}".deb "$BUILD/"
echo "$BUILD/orvalen_${version}_${arch}.deb"
