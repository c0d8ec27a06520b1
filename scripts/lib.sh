# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Shared by the scripts: where things are, and installing Debian packages
# that are missing (through sudo when not root).
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${ORVALEN_BUILD_DIR:-$ROOT/build}

# What the real-sound checks need: both sound servers (run privately, never
# the desktop's), their clients, a session bus for WirePlumber, and numpy
# to compare what is heard with the files, sox and lame to write cue files
# in the forms a candidate brings (µ-law, ADPCM, FLAC, MP3).
SOUND_PACKAGES="pulseaudio pulseaudio-utils pipewire wireplumber pipewire-pulse dbus python3-numpy sox libsox-fmt-base lame"

ensure_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  ((${#missing[@]})) || return 0
  echo "orvalen: installing ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
  "${sudo[@]}" apt-get update
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}

as_root() {
  if [ "$(id -u)" -ne 0 ]; then sudo "$@"; else "$@"; fi
}

# Starts a private Xvfb on a display it picks itself (never one in use),
# waits until it is ready, and exports DISPLAY; XVFB_PID is that server,
# the only one to stop: stop_xvfb.
start_xvfb() {
  local out
  out=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$out" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do [ -s "$out" ] && break; sleep 0.1; done
  [ -s "$out" ] || { echo "Xvfb did not start"; rm -f "$out"; return 1; }
  export DISPLAY=":$(head -n 1 "$out")"
  rm -f "$out"
}

stop_xvfb() {
  [ -n "${WM_PID:-}" ] && kill "$WM_PID" 2>/dev/null || true
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
}

# A private Xvfb with a window manager (openbox), so that windows are framed
# as on a desktop; WM_PID is the window manager. stop_xvfb stops both.
start_desktop() {
  start_xvfb || return 1
  openbox >/dev/null 2>&1 &
  WM_PID=$!
  # The window manager is up once it has marked the root window as managed.
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    sleep 0.1
  done
  echo "openbox did not start within 10 s"
  return 1
}

# What the dark desktops below need: qt6ct, and Qt's GTK theme with GTK's
# Adwaita (its dark variant is built into GTK) and its icons.
DARK_DESKTOP_PACKAGES="qt6ct qt6-gtk-platformtheme adwaita-icon-theme"

# Sets DESKTOP_ENV to the environment of a desktop whose colour scheme is
# dark, by the path that hands Qt its look, as a candidate has it:
#   qt6ct  qt6ct with its scheme "darker" (its configuration written under
#          the folder given as $2), as chosen in qt6ct;
#   gtk    Qt's GTK theme with GTK's Adwaita dark, as on GNOME.
dark_desktop() {
  case $1 in
    qt6ct)
      mkdir -p "$2/qt6ct"
      cat >"$2/qt6ct/qt6ct.conf" <<CONF
[Appearance]
color_scheme_path=/usr/share/qt6ct/colors/darker.conf
custom_palette=true
CONF
      DESKTOP_ENV=(XDG_CONFIG_HOME="$2" QT_QPA_PLATFORMTHEME=qt6ct) ;;
    gtk) DESKTOP_ENV=(QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark) ;;
    *) echo "no dark desktop called $1 (qt6ct, gtk)" >&2; return 1 ;;
  esac
}
