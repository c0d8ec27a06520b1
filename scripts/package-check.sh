#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the licensing of the source (reuse lint), builds the Debian package
# (scripts/package.sh) and checks it without installing it: lintian finds
# neither an error nor a warning; its contents, control fields and
# dependencies; its manual pages read without a warning, the Japanese one in
# a Japanese terminal too; and the program extracted from it starts and finds
# its sound module and its cue files. Only in CI (CI set) is it also
# installed with apt-get, the installed program started and its
# autopkgtest run; then whatever was there before is put back: the earlier
# package, repacked before, or none.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
ensure_packages strace reuse lintian man-db locales

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "package check: $*"; exit 1; }

(cd "$ROOT" && reuse lint >"$work/reuse.log" 2>&1) || { cat "$work/reuse.log"; fail "reuse lint fails"; }
deb=$("$ROOT/scripts/package.sh" | tail -n 1)
status=0
lintian --fail-on error,warning --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || status=$?
grep -v 'running with root privileges' "$work/lintian.log" || true
[ "$status" = 0 ] || fail "lintian finds errors or warnings in $(basename "$deb")"

contents=$(dpkg-deb -c "$deb")
module=$(grep -o 'usr/lib/.*orvalen/orvalen_sound\.so$' <<<"$contents" || true)
[ -n "$module" ] || fail "no sound module in $(basename "$deb")"
grep -q "${module%/*}/orvalen-cue-decoder\$" <<<"$contents" || fail "no cue decoder beside the sound module"
files=(usr/bin/orvalen usr/share/orvalen/s01.wav usr/share/orvalen/s05.wav
       usr/share/doc/orvalen/copyright usr/share/doc/orvalen/changelog.gz
       usr/share/man/man1/orvalen.1.gz usr/share/man/ja/man1/orvalen.1.gz
       usr/share/applications/org.orvalen.Orvalen.desktop usr/share/metainfo/org.orvalen.Orvalen.metainfo.xml
       usr/share/icons/hicolor/48x48/apps/org.orvalen.Orvalen.png
       usr/share/icons/hicolor/scalable/apps/org.orvalen.Orvalen.svg)
for f in "${files[@]}"; do
  grep -q " \./$f\$" <<<"$contents" || fail "no $f in $(basename "$deb")"
done
[ "$(dpkg-deb -f "$deb" Package)" = orvalen ] || fail "the package is not called orvalen"
[ "$(dpkg-deb -f "$deb" Architecture)" = "$(dpkg --print-architecture)" ] || fail "wrong architecture"
depends=$(dpkg-deb -f "$deb" Depends)
for d in qt6-qpa-plugins fonts-noto-cjk qt6-translations-l10n libpulse0 libsndfile1 libqt6widgets6; do
  grep -q "\b$d\b" <<<"$depends" || fail "it does not depend on $d"
done
apt-get install --simulate "$deb" >"$work/simulate.log" 2>&1 || { cat "$work/simulate.log"; fail "its dependencies do not resolve"; }

# Starts a program from an empty folder (offscreen) and waits until it has
# opened its sound module and read its last cue file: it runs with
# everything it needs. $1: the program, $2: the prefix it is installed in.
starts() {
  local program=$1 prefix=$2 run="$work/run" trace="$work/trace" tracer
  mkdir -p "$run"
  rm -f "$trace"
  (cd "$run" && QT_QPA_PLATFORM=offscreen exec strace -f -qq -e trace=openat -o "$trace" "$program" >"$work/log" 2>&1) &
  tracer=$!
  found() { grep -q "\"$prefix/$module\"" "$trace" 2>/dev/null && grep -q "\"$prefix/usr/share/orvalen/s05.wav\"" "$trace"; }
  for _ in $(seq 200); do
    found && break
    kill -0 "$tracer" 2>/dev/null || break
    sleep 0.1
  done
  local ok=0
  found && ok=1
  kill -0 "$tracer" 2>/dev/null || { cat "$work/log"; fail "$program did not keep running"; }
  pkill -P "$tracer" || true
  wait "$tracer" 2>/dev/null || true
  [ "$ok" = 1 ] || { cat "$work/log"; fail "$program did not find its sound module and cue files within 20 s"; }
  ! grep -q "sound module" "$work/log" || { cat "$work/log"; fail "$program found no sound module"; }
}

dpkg-deb -x "$deb" "$work/root"

# The manual pages: no warning from man, in English and in a Japanese
# terminal (its locale made in a folder of our own, the system's untouched).
mkdir -p "$work/locale"
localedef -i ja_JP -f UTF-8 "$work/locale/ja_JP.UTF-8" >/dev/null 2>&1 || [ -d "$work/locale/ja_JP.UTF-8" ] \
  || fail "cannot make the ja_JP.UTF-8 locale"
for page in man/man1 man/ja/man1; do
  for lang in C.UTF-8 ja_JP.UTF-8; do
    locales=/usr/lib/locale
    [ "$lang" = C.UTF-8 ] || locales=$work/locale
    out=$(LOCPATH=$locales LANG=$lang LC_ALL=$lang MANWIDTH=80 \
          man --warnings -l "$work/root/usr/share/$page/orvalen.1.gz" 2>&1 >"$work/page.txt")
    [ -z "$out" ] || { echo "$out"; fail "man warns about $page/orvalen.1 under $lang"; }
    grep -q 'orvalen' "$work/page.txt" || fail "$page/orvalen.1 shows nothing under $lang"
  done
done
grep -q '法律試験' "$work/page.txt" || fail "the Japanese page does not show Japanese"
starts "$work/root/usr/bin/orvalen" "$work/root"
echo "package check: $(basename "$deb") holds what it should, its dependencies resolve, and the program in it runs"

[ -n "${CI:-}" ] || exit 0
# In CI: installed for real and its autopkgtest run by Debian's autopkgtest
# (debian/tests: each timer opened and closed on Xvfb, no sound server),
# then the machine as it was. The test's own dependencies are installed
# first, so that only orvalen comes and goes.
ensure_packages dpkg-repack autopkgtest xvfb xauth python3 python3-xlib
before=$(dpkg-query -W -f='${Status}' orvalen 2>/dev/null || true)
if [[ "$before" == *"install ok installed"* ]]; then
  # The installed package rebuilt as it is, without the note dpkg-repack
  # adds to its description.
  mkdir -p "$work/old"
  (cd "$work/old" && as_root dpkg-repack --generate orvalen >/dev/null)
  as_root sed -i -z 's/\n \.\n (Repackaged on [^\n]*by dpkg-repack\.)//g' "$work"/old/dpkg-repack.*/DEBIAN/control
  (cd "$work/old" && as_root dpkg-deb --build dpkg-repack.* . >/dev/null)
  restore() { as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --allow-downgrades --reinstall "$work"/old/orvalen_*.deb >/dev/null; }
else
  restore() { as_root env DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y orvalen >/dev/null; }
fi
mkdir -p "$work/new" && cp "$deb" "$work/new/"
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --reinstall "$work/new/$(basename "$deb")" >/dev/null
status=0
(starts /usr/bin/orvalen "") || status=$?
if [ "$status" = 0 ]; then
  as_root autopkgtest --output-dir "$work/autopkgtest" "$work/new/$(basename "$deb")" "$ROOT/" -- null \
    >"$work/autopkgtest.log" 2>&1 || status=$?
  sed -n '/^timers: /p; /^timers *\(PASS\|FAIL\|SKIP\)/p' "$work/autopkgtest.log"
  [ "$status" = 0 ] || { tail -n 40 "$work/autopkgtest.log"; echo "package check: the autopkgtest failed"; }
fi
restore
[ "$status" = 0 ] || exit "$status"
echo "package check: installed with apt-get, it runs and passes its autopkgtest; the machine's orvalen is as it was"
