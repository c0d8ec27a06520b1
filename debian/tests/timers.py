#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Uses the installed Orvalen as a candidate does, on an X server without a
window manager or a sound server: each timer opened by a click on its menu
button, seen with its companions and the menu hidden, closed as a window
manager's close button closes it, and the menu seen again; then the menu
closed. The program must end with status 0 and print nothing."""
import os
import subprocess
import sys
import tempfile
import time

from Xlib import X, display, protocol
from Xlib.ext import xtest

TWIPS = 15  # a logical pixel
# Each timer: its menu button's centre in twips, a click to make inside it
# once open (or None), and the titles of the windows it shows.
TIMERS = [
    ("択　一", (540 + 787, 1380 + 412), None, ["択一タイマー", "次の問題", "各問経過時間"]),
    ("論　文", (2430 + 787, 1380 + 412), None, ["論文タイマー"]),
    ("ラーメンタイマー", (540 + 1732, 2460 + 202), (90 + 2970 + 487, 120 + 630 + 367), ["ラーメンタイマー"]),
]

d = display.Display()
root = d.screen().root
NAME, UTF8 = d.intern_atom("_NET_WM_NAME"), d.intern_atom("UTF8_STRING")
PROTOCOLS, DELETE = d.intern_atom("WM_PROTOCOLS"), d.intern_atom("WM_DELETE_WINDOW")


def shown():
    """The program's windows on the screen, by title."""
    windows = {}
    for w in root.query_tree().children:
        try:
            if w.get_attributes().map_state != X.IsViewable:
                continue
            name = w.get_full_property(NAME, UTF8)
        except Exception:
            continue
        if name is not None:
            windows[name.value.decode()] = w
    return windows


def until(what, test, seconds=15.0):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if test():
            return
        time.sleep(0.05)
    sys.exit(f"timers: {what}: not within {seconds:.0f} s (shown: {', '.join(shown()) or 'nothing'})")


def click(window, twips):
    at = window.translate_coords(root, 0, 0)
    x, y = -at.x + twips[0] // TWIPS, -at.y + twips[1] // TWIPS
    xtest.fake_input(d, X.MotionNotify, x=x, y=y)
    d.sync()
    time.sleep(0.05)
    xtest.fake_input(d, X.ButtonPress, 1)
    xtest.fake_input(d, X.ButtonRelease, 1)
    d.sync()


def close(window):
    """As a window manager's close button does."""
    event = protocol.event.ClientMessage(window=window, client_type=PROTOCOLS, data=(32, [DELETE, X.CurrentTime, 0, 0, 0]))
    window.send_event(event)
    d.sync()


def main():
    with tempfile.TemporaryDirectory() as folder, tempfile.TemporaryFile() as said:
        program = subprocess.Popen([sys.argv[1]], cwd=folder, stdout=said, stderr=said,
                                   env=dict(os.environ, QT_QPA_PLATFORM="xcb"))
        until("the menu", lambda: "Orvalen" in shown())
        print("timers: the menu is shown")
        for button, at, inside, titles in TIMERS:
            time.sleep(0.5)  # mapped, then drawn and ready for the pointer
            click(shown()["Orvalen"], at)
            until(f"{button}: its windows", lambda: all(t in shown() for t in titles) and "Orvalen" not in shown())
            if inside:
                click(shown()[titles[0]], inside)
                time.sleep(1.5)
            print(f"timers: {button} opened {', '.join(titles)}, the menu hidden")
            close(shown()[titles[0]])
            until(f"{button}: closed, the menu back", lambda: "Orvalen" in shown() and not set(titles) & set(shown()))
            print(f"timers: {button} closed, the menu shown again")
        close(shown()["Orvalen"])
        try:
            status = program.wait(10)
        except subprocess.TimeoutExpired:
            program.kill()
            sys.exit("timers: the program did not end within 10 s of its menu closed")
        said.seek(0)
        output = said.read().decode(errors="replace")
    if output:
        sys.exit(f"timers: the program printed:\n{output}")
    if status != 0:
        sys.exit(f"timers: the program ended with status {status}")
    print("timers: the menu closed, the program ended with status 0, silent")


if __name__ == "__main__":
    main()
