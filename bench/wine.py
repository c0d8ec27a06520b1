#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Orvalen for Windows under Wine, against the floor built the same way
(bench/floor.cpp, cross-built with the same Qt), by run.py's method: start
to the first frame of the main window (its first damage), the two started
in turn, and memory 5 s after the start. Wine's server is kept running
between starts, as on a desktop where Wine is already up; the prefix is the
caller's (WINEPREFIX). Then the cue latency: the cue probe
(tests/sound/cue_probe.cpp, cross-built) asks for s01.wav once a second
through the real cue service, which plays through Wine's sound driver to a
private PulseAudio null sink whose monitor is recorded (sound_check.py's
measure); a request counts from when it was written to the probe, so the
pipe into Wine is in the figure. Prints a Markdown section for
bench/results.md.

  wine.py --bindir <build-windows/bin> [--runs N]
"""
import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from run import Screen, pss_rss, stop  # noqa: E402
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "sound"))
import sound_check as sc  # noqa: E402
from Xlib import X  # noqa: E402
from Xlib.ext import damage  # noqa: E402

WINE = "/usr/lib/wine/wine64"


def start(screen, exe, cwd, title):
    """Starts a program; returns it and the milliseconds to the first frame
    of its window of that title (Wine maps windows of its own first)."""
    screen.drain()
    t0 = time.monotonic()
    proc = subprocess.Popen([WINE, exe], cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    d, name, utf8 = screen.d, screen.d.intern_atom("_NET_WM_NAME"), screen.d.intern_atom("UTF8_STRING")
    mapped, end = set(), time.monotonic() + 60
    while time.monotonic() < end:
        if not d.pending_events():
            time.sleep(0.0002)
            continue
        ev = d.next_event()
        if ev.type == X.CreateNotify:
            ev.window.damage_create(damage.DamageReportNonEmpty)
            d.flush()
        elif ev.type == X.MapNotify:
            mapped.add(ev.window.id)
        elif ev.type == screen.damage_notify and ev.drawable.id in mapped:
            got = d.create_resource_object("window", ev.drawable.id).get_full_property(name, utf8)
            if got is not None and got.value.decode() == title:
                return proc, (time.monotonic() - t0) * 1000.0
    raise RuntimeError(f"no window {title} drawn")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--bindir", required=True)
    ap.add_argument("--runs", type=int, default=5)
    args = ap.parse_args()
    bindir = os.path.abspath(args.bindir)
    screen = Screen()
    subprocess.Popen(["/usr/lib/wine/wineserver", "-p"]).wait()
    subprocess.run([WINE, "wineboot", "--init"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
    starts = {"floor": [], "orvalen": []}
    memory = {"floor": [], "orvalen": []}
    for run in range(args.runs):
        print(f"wine run {run + 1} of {args.runs}", file=sys.stderr)
        for name in ("floor", "orvalen"):
            exe, title = ("bench_floor.exe", "Floor") if name == "floor" else ("orvalen.exe", "Orvalen")
            proc, drawn = start(screen, os.path.join(bindir, exe), bindir, title)
            starts[name].append(drawn)
            time.sleep(5)
            memory[name].append(pss_rss(proc.pid))
            stop(proc)
            time.sleep(0.5)
    cues = cue_latency(bindir, 10 * args.runs)
    subprocess.run(["/usr/lib/wine/wineserver", "-k"], check=False)

    fs, os_ = statistics.median(starts["floor"]), statistics.median(starts["orvalen"])
    fp, op = (statistics.median(m[0] for m in memory[n]) for n in ("floor", "orvalen"))
    fr, or_ = (statistics.median(m[1] for m in memory[n]) for n in ("floor", "orvalen"))
    ok = os_ <= 1.3 * fs
    print(f"## Windows, under Wine\n\nWine {wine_version()}, Qt 6.4.2 cross-built with mingw-w64, Xvfb without a window "
          f"manager. Median of {args.runs} starts of each, the floor and Orvalen in turn, with Wine's server up.\n")
    print("| measure | floor | Orvalen | ratio | target | met |")
    print("|---|---|---|---|---|---|")
    print(f"| start to first frame of the main window | {fs:.0f} ms | {os_:.0f} ms | {os_ / fs:.2f} | ≤ 1.3 × floor | "
          f"{'yes' if ok else '**NO**'} |")
    print(f"| PSS, 5 s after start (the Wine process) | {fp:.1f} MiB | {op:.1f} MiB | {op / fp:.2f} | — | — |")
    print(f"| RSS, 5 s after start (the Wine process) | {fr:.1f} MiB | {or_:.1f} MiB | {or_ / fr:.2f} | — | — |")
    heard = [r["latency"] for r in cues if isinstance(r["latency"], float) and r["corr"] >= 0.9]
    if heard:
        print(f"\nCue latency, request to first sample heard ({len(heard)} of {len(cues)} cues heard as their "
              f"file): min {min(heard):.1f} ms, median {statistics.median(heard):.1f} ms, max {max(heard):.1f} ms.")
    else:
        print(f"\nCue latency: **none of {len(cues)} cues heard**.")


def cue_latency(bindir, count):
    """The probe's cues, judged as the sound check judges them."""
    with tempfile.TemporaryDirectory() as runtime:
        server = sc.PulseServer(runtime)
        os.environ.update(server.env)
        server.start()
        try:
            recording = sc.Recorder(sc.SINKS[0])
            recording.ready()
            probe = subprocess.Popen([WINE, os.path.join(bindir, "cue_probe.exe")], cwd=bindir, text=True,
                                     stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
            time.sleep(5)  # up, its cue files decoded, as the program is once its menu shows
            requests = []
            for _ in range(count):
                asked = time.monotonic()
                probe.stdin.write("cue s01.wav\n")
                probe.stdin.flush()
                probe.stdout.readline()
                requests.append((asked, "s01.wav"))
                time.sleep(1.0)
            probe.stdin.close()
            probe.wait(30)
            recording.stop()
            sound = sc.Sound(*sc.read_wav16(os.path.join(bindir, "s01.wav")))
            return sc.judge(recording, requests, {"s01.wav": sound})
        finally:
            server.stop()


def wine_version():
    return subprocess.run([WINE, "--version"], capture_output=True, text=True).stdout.strip()


if __name__ == "__main__":
    main()
