#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The Windows installer as a candidate uses it, under Wine, on the X server
of DISPLAY (Wine's windows, without a window manager's frames), with a
private PulseAudio server that Wine's sound driver plays to:

  1. into a fresh Wine prefix, the installer installs silently (/S) for the
     user: the program in their programs folder, a Start-menu entry;
  2. the installed program starts on the windows platform, from its folder
     as the Start menu starts it; the time to its menu on the screen is
     printed;
  3. a picture of the menu's window contents is compared with docs/menu.png
     (its frame aside): at most MAX_DIFFERENT of the pixels may differ, and
     the share is printed;
  4. a click on the multiple-choice button starts the paper's countdown: its
     first cue must be heard on the null sink as the sound of its file
     (sound_check.py's measure), and its latency is printed;
  5. the program closed, the uninstaller removes every file it installed,
     the program's folder and its Start-menu entry.

  windows_check.py <installer> <folder for what it keeps>
"""
import glob
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "sound"))
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "debian", "tests"))
import sound_check as sc  # noqa: E402

WINE = "/usr/lib/wine/wine64"
ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
MAX_DIFFERENT = 0.10  # Wine draws text with its own font engine, not FreeType's settings
MIN_CORRELATION = 0.9


def fail(why):
    sys.exit(f"windows: {why}")


def wine(env, *args, cwd=None, wait=True):
    proc = subprocess.Popen([WINE, *args], env=env, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    if wait:
        proc.wait(300)
        # The installer and uninstaller hand their work to processes of
        # their own: wait for the prefix to be idle.
        subprocess.run(["/usr/lib/wine/wineserver", "-w"], env=env, check=False)
    return proc


def main():
    installer, keep = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    os.makedirs(keep, exist_ok=True)
    with tempfile.TemporaryDirectory() as scratch:
        runtime = os.path.join(scratch, "runtime")
        os.makedirs(runtime, mode=0o700)
        server = sc.PulseServer(runtime)
        os.environ.update(server.env)  # for pactl, parec and pacat too
        env = dict(os.environ, WINEPREFIX=os.path.join(scratch, "prefix"), WINEDEBUG="-all",
                   WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d")
        server.start()
        try:
            check(installer, keep, env, server)
        finally:
            subprocess.run(["/usr/lib/wine/wineserver", "-k"], env=env, check=False)
            server.stop()


def check(installer, keep, env, server):
    wine(env, "wineboot", "--init")
    user = os.listdir(os.path.join(env["WINEPREFIX"], "drive_c", "users"))
    user = [u for u in user if u != "Public"][0]
    home = os.path.join(env["WINEPREFIX"], "drive_c", "users", user)
    folder = os.path.join(home, "AppData", "Local", "Programs", "Orvalen")
    entry = os.path.join(home, "AppData", "Roaming", "Microsoft", "Windows", "Start Menu", "Programs", "Orvalen.lnk")

    wine(env, installer, "/S")
    installed = sorted(os.path.relpath(p, folder) for p in glob.glob(f"{folder}/**", recursive=True) if os.path.isfile(p))
    if "orvalen.exe" not in installed:
        fail(f"the installer put no orvalen.exe in {folder}")
    if not os.path.isfile(entry):
        fail("the installer made no Start-menu entry")
    print(f"windows: installed silently, {len(installed)} files, and a Start-menu entry")

    import timers  # the autopkgtest's use of the X server: windows by title, clicks
    started = time.monotonic()
    program = wine(env, "C:\\users\\%s\\AppData\\Local\\Programs\\Orvalen\\orvalen.exe" % user, cwd=folder, wait=False)
    timers.until("the menu", lambda: "Orvalen" in timers.shown(), 60)
    print(f"windows: the menu on the screen {time.monotonic() - started:.1f} s after the start (Wine's own start included)")
    time.sleep(1.0)  # drawn
    menu = timers.shown()["Orvalen"]

    shot = os.path.join(keep, "menu-wine.png")
    subprocess.run(["import", "-window", str(menu.id), shot], check=True)
    share = compare(shot, os.path.join(ROOT, "docs", "menu.png"), keep)
    print(f"windows: the menu's window contents differ from docs/menu.png in {share:.2%} of their pixels")
    if share > MAX_DIFFERENT:
        fail(f"the menu looks unlike docs/menu.png (see {shot})")

    recording = sc.Recorder(sc.SINKS[0])
    recording.ready()
    asked = time.monotonic()
    timers.click(menu, timers.TIMERS[0][1])
    timers.until("the multiple-choice timer", lambda: "択一タイマー" in timers.shown(), 10)
    shown = time.monotonic()
    time.sleep(3.0)
    recording.stop()
    onsets = [o for o in recording.onsets if recording.time_of(o) >= asked - sc.EARLIEST]
    if not onsets:
        fail("no cue heard within 3 s of the click on the multiple-choice button")
    heard = recording.time_of(onsets[0])
    cue = os.path.join(folder, "s01.wav")
    result = sc.judge(recording, [(heard - 0.01, "s01.wav")], {"s01.wav": sc.Sound(*sc.read_wav16(cue))},
                      until=heard + 0.9)[0]
    if result["corr"] < MIN_CORRELATION:
        fail(f"the countdown's first cue was not heard as s01.wav (correlation {result['corr']:.2f})")
    print(f"windows: the countdown's first cue heard as its file (correlation {result['corr']:.3f}), "
          f"{(heard - asked) * 1000:.0f} ms after the click, {(heard - shown) * 1000:.0f} ms after its window was mapped")

    subprocess.run(["/usr/lib/wine/wineserver", "-k"], env=env, check=False)
    program.wait(10)
    wine(env, os.path.join(folder, "uninstall.exe"), "/S")
    left = [p for p in glob.glob(f"{folder}/**", recursive=True)] if os.path.exists(folder) else []
    if left or os.path.exists(entry):
        fail(f"the uninstaller left {left or entry}")
    print("windows: the uninstaller removed the program's folder and its Start-menu entry")


def compare(shot, reference, keep):
    """The share of pixels that differ between the window's contents and
    the reference's, whose frame is cut off: the same border left, right
    and below, the title bar above."""
    size = lambda path: [int(v) for v in subprocess.run(["identify", "-format", "%w %h", path], capture_output=True,
                                                       text=True, check=True).stdout.split()]
    w, h = size(shot)
    rw, rh = size(reference)
    border = (rw - w) // 2
    if border < 0 or rh - h - border < 0:
        fail(f"the menu is {w}x{h}, larger than docs/menu.png's {rw}x{rh}")
    inner = os.path.join(keep, "menu-docs-contents.png")
    subprocess.run(["convert", reference, "-crop", f"{w}x{h}+{border}+{rh - h - border}", "+repage", inner], check=True)
    out = subprocess.run(["compare", "-metric", "AE", shot, inner, os.path.join(keep, "menu-difference.png")],
                         capture_output=True, text=True)
    return float(out.stderr.split()[0]) / (w * h)


if __name__ == "__main__":
    main()
