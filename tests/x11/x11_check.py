#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Looks at the real program on a real X server (Xvfb): opens each timer from
the menu with synthetic clicks and reads the windows' pixels back, checking
that the figures are really drawn. Offscreen tests cannot see what only the
X11 path draws (or fails to draw). It also opens the countdown's input
dialog and keeps a picture of it. Run by scripts/x11-check.sh.

    x11_check.py <bindir> [picture of the input dialog, PNG]
"""
import os
import struct
import sys
import time
import zlib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "bench"))
import run  # noqa: E402  (the benchmark's X helpers)

from Xlib import X  # noqa: E402


def window_pixels(window):
    """The window's pixels as rows of (r, g, b)."""
    geometry = window.get_geometry()
    image = window.get_image(0, 0, geometry.width, geometry.height, X.ZPixmap, 0xFFFFFFFF)
    data = image.data
    rows = []
    for y in range(geometry.height):
        row = []
        for x in range(geometry.width):
            b, g, r = data[(y * geometry.width + x) * 4:(y * geometry.width + x) * 4 + 3]
            row.append((r, g, b))
        rows.append(row)
    return rows


def dark_pixels(rows, box=None):
    """Pixels dark enough to be the ink of black text, within box (x, y, w, h)."""
    x0, y0, w, h = box if box else (0, 0, len(rows[0]), len(rows))
    return sum(1 for row in rows[y0:y0 + h] for (r, g, b) in row[x0:x0 + w] if r + g + b < 150)


def save_png(rows, path):
    """Writes rows of (r, g, b) as an 8-bit RGB PNG."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    raw = b"".join(b"\x00" + bytes(v for pixel in row for v in pixel) for row in rows)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", len(rows[0]), len(rows), 8, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def twips(value):
    return int(value / run.TWIPS)


def largest_new_window(screen, seconds):
    """The biggest top-level window mapped within the next seconds."""
    found = []
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        try:
            window, _ = screen.wait_map(max(0.05, end - time.monotonic()))
            found.append(window)
        except RuntimeError:
            break
    if not found:
        raise RuntimeError("no window appeared")
    return max(found, key=lambda w: w.get_geometry().width * w.get_geometry().height)


def main():
    bindir = sys.argv[1]
    screen = run.Screen()
    failures = []

    def expect(what, ok, detail):
        print(f"{'ok  ' if ok else 'FAIL'} {what}: {detail}")
        if not ok:
            failures.append(what)

    # (timer, what to look at, seconds after opening, box in twips or None, least dark pixels)
    checks = [
        ("men", "countdown display after a preset", 2.5, (90, 120 + 780, 4485, 1440), 800),
        ("tak", "multiple-choice start countdown digit", 0.6, (90 + 1440, 120 + 780, 1455, 1440), 400),
        ("tak", "multiple-choice figures while running", 4.5, None, 300),
        ("ron", "essay figures while running", 4.5, None, 300),
    ]
    for which, what, wait, box, least in checks:
        proc, menu, _ = run.start(screen, [os.path.join(bindir, "orvalen")], bindir)
        try:
            time.sleep(1.0)
            screen.drain()
            screen.click(menu, *run.MENU_BUTTON[which])
            window = largest_new_window(screen, 0.4)
            if which == "men":
                time.sleep(0.3)
                screen.click(window, *run.PRESET_THREE)
            time.sleep(wait)
            rows = window_pixels(window)
            area = tuple(twips(v) for v in box) if box else None
            count = dark_pixels(rows, area)
            expect(what, count >= least, f"{count} dark pixels (at least {least})")
        finally:
            run.stop(proc)
    # The input dialog, Qt's own: drawn, and kept as a picture.
    proc, menu, _ = run.start(screen, [os.path.join(bindir, "orvalen")], bindir)
    try:
        time.sleep(1.0)
        screen.drain()
        screen.click(menu, *run.MENU_BUTTON["men"])
        window = largest_new_window(screen, 0.4)
        time.sleep(0.3)
        screen.drain()
        screen.click(window, *run.INPUT_KEY)
        dialog = largest_new_window(screen, 1.0)
        time.sleep(0.5)
        rows = window_pixels(dialog)
        count = dark_pixels(rows)
        expect("input dialog", count >= 300, f"{count} dark pixels (at least 300)")
        if len(sys.argv) > 2:
            save_png(rows, sys.argv[2])
            print(f"     picture of the input dialog: {sys.argv[2]}")
    finally:
        run.stop(proc)
    if failures:
        sys.exit(f"{len(failures)} of {len(checks) + 1} checks failed")


if __name__ == "__main__":
    main()
