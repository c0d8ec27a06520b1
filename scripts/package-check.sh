#!/usr/bin/env bash
# Builds the package, installs it on this machine with apt-get, and starts
# the installed program (offscreen, from a folder without cue files) to see
# that it runs with everything it needs.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

"$ROOT/scripts/package.sh"
deb=$(ls -t "$BUILD"/orvalen_*.deb | head -n 1)
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --reinstall "$deb"

for f in /usr/bin/orvalen /usr/share/orvalen/s01.wav /usr/share/orvalen/s05.wav \
         /usr/share/applications/org.orvalen.Orvalen.desktop \
         /usr/share/metainfo/org.orvalen.Orvalen.metainfo.xml \
         /usr/share/icons/hicolor/48x48/apps/org.orvalen.Orvalen.png \
         /usr/share/icons/hicolor/scalable/apps/org.orvalen.Orvalen.svg; do
  [ -e "$f" ] || { echo "package check: missing $f"; exit 1; }
done
[ -n "$(dpkg -L orvalen | grep '/orvalen/orvalen_sound.so$')" ] || { echo "package check: no sound module"; exit 1; }

run=$(mktemp -d)
log="$run/orvalen.log"
# exec, so that $! is the program itself and the kill below reaches it.
(cd "$run" && QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES="orvalen.*.debug=true" exec orvalen >"$log" 2>&1) &
pid=$!
sleep 3
if ! kill -0 "$pid" 2>/dev/null; then
  echo "package check: the installed program did not keep running"; cat "$log"; exit 1
fi
kill "$pid"
wait "$pid" 2>/dev/null || true
if grep -q "sound module" "$log"; then
  echo "package check: the installed program found no sound module"; cat "$log"; exit 1
fi
rm -rf "$run"
echo "package check: $(basename "$deb") installs and runs"
