#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Orvalen developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Measures Orvalen against the floor (a bare Qt Widgets window with one
1000 ms precise timer) and prints one Markdown table. Run by
scripts/bench.sh, which builds the programs and starts Xvfb; never part of
the test suite.

Every figure is the median of --runs runs. Start time and memory are taken
on the real program under Xvfb, driven by synthetic clicks; tick timing and
the simulated papers come from bench_driver, which runs the real windows.
"""
import argparse
import os
import platform
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

from Xlib import X, display
from Xlib import error as xerror
from Xlib.ext import damage, xtest

TWIPS = 15.0


def pss_rss(pid):
    pss = rss = 0
    with open(f"/proc/{pid}/smaps_rollup") as f:
        for line in f:
            if line.startswith("Pss:"):
                pss = int(line.split()[1])
            elif line.startswith("Rss:"):
                rss = int(line.split()[1])
    return pss / 1024.0, rss / 1024.0


def cpu_ns(pid):
    """CPU time of every thread of the process, in nanoseconds."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                total += int(f.read().split()[0])
        except OSError:
            pass  # a thread that ended between the listing and the read
    return total


class Screen:
    def __init__(self):
        self.d = display.Display()
        self.root = self.d.screen().root
        self.root.change_attributes(event_mask=X.SubstructureNotifyMask)
        self.d.damage_query_version()
        self.damage_notify = self.d.extension_event.DamageNotify
        damage_opcode = self.d.query_extension(damage.extname).major_opcode

        # An input-only window (toolkits make some) cannot take a damage
        # object; its refusal is expected and harmless.
        def quiet(error, request):
            if not (isinstance(error, xerror.BadMatch) and error.major_opcode == damage_opcode):
                print(f"X protocol error: {error}", file=sys.stderr)

        self.d.set_error_handler(quiet)
        self.d.sync()

    def drain(self):
        while self.d.pending_events():
            self.d.next_event()

    def wait_map(self, timeout=20.0):
        """The next top-level window mapped, and when."""
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            if self.d.pending_events():
                ev = self.d.next_event()
                if ev.type == X.MapNotify:
                    return ev.window, time.monotonic()
            else:
                time.sleep(0.0005)
        raise RuntimeError("no window appeared")

    def wait_first_frame(self, timeout=20.0):
        """The next top-level window mapped, when it was mapped, and when
        its first frame was drawn into it (its first damage: the windows
        have no background, so nothing but the program draws there)."""
        end = time.monotonic() + timeout
        damaged, mapped, mapped_at = {}, None, None
        while time.monotonic() < end:
            if not self.d.pending_events():
                time.sleep(0.0002)
                continue
            ev = self.d.next_event()
            now = time.monotonic()
            if ev.type == X.CreateNotify:
                ev.window.damage_create(damage.DamageReportNonEmpty)
                self.d.flush()
            elif ev.type == X.MapNotify and mapped is None:
                mapped, mapped_at = ev.window, now
            elif ev.type == self.damage_notify:
                damaged.setdefault(ev.drawable.id, now)
            if mapped is not None and mapped.id in damaged:
                return mapped, mapped_at, damaged[mapped.id]
        raise RuntimeError("no window drawn")

    def origin(self, window):
        t = window.translate_coords(self.root, 0, 0)
        return -t.x, -t.y

    def click(self, window, twips_x, twips_y):
        ox, oy = self.origin(window)
        x, y = ox + int(twips_x / TWIPS), oy + int(twips_y / TWIPS)
        xtest.fake_input(self.d, X.MotionNotify, x=x, y=y)
        self.d.sync()
        time.sleep(0.05)
        xtest.fake_input(self.d, X.ButtonPress, 1)
        xtest.fake_input(self.d, X.ButtonRelease, 1)
        self.d.sync()


def start(screen, argv, cwd):
    """Starts a program; returns it, its window, and the milliseconds from
    the start to the window mapped and to its first frame."""
    screen.drain()
    t0 = time.monotonic()
    env = dict(os.environ, QT_QPA_PLATFORM="xcb")
    proc = subprocess.Popen(argv, cwd=cwd, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    window, mapped, drawn = screen.wait_first_frame()
    return proc, window, ((mapped - t0) * 1000.0, (drawn - t0) * 1000.0)


def start_times(screen, bindir, pairs):
    """Start times of the floor and of Orvalen, started in turn under the
    same conditions: each pair one right after the other."""
    times = {"floor": [], "orvalen": []}
    for _ in range(pairs):
        for name, argv, cwd in (("floor", [f"{bindir}/bench_floor"], None),
                                ("orvalen", [f"{bindir}/orvalen"], bindir)):
            proc, _, t = start(screen, argv, cwd)
            times[name].append(t)
            time.sleep(0.7)
            stop(proc)
            time.sleep(0.2)
    return times


def stop(proc):
    proc.terminate()
    try:
        proc.wait(5)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()


def cpu_per_minute(pid, seconds):
    a = cpu_ns(pid)
    time.sleep(seconds)
    return (cpu_ns(pid) - a) / 1e6 * 60.0 / seconds


# Centres of the menu's buttons and of the countdown's "３" and "入力", in twips of
# their windows' client areas.
MENU_BUTTON = {"tak": (540 + 787, 1380 + 412), "ron": (2430 + 787, 1380 + 412), "men": (540 + 1732, 2460 + 202)}
PRESET_THREE = (90 + 2970 + 487, 120 + 630 + 367)
INPUT_KEY = (90 + 2970 + 487, 120 + 1620 + 367)


def measure_orvalen(screen, binary, cwd, which, cpu_seconds):
    proc, menu, _ = start(screen, [binary], cwd)
    time.sleep(5)
    menu_mem = pss_rss(proc.pid)
    screen.drain()
    screen.click(menu, *MENU_BUTTON[which])
    window, _ = screen.wait_map()
    if which == "tak":  # the Done button window maps first; take the pacing window
        time.sleep(0.2)
    if which == "men":
        time.sleep(0.3)
        screen.click(window, *PRESET_THREE)
    time.sleep(5)
    timer_mem = pss_rss(proc.pid)
    cpu = cpu_per_minute(proc.pid, cpu_seconds)
    stop(proc)
    return menu_mem, timer_mem, cpu


def measure_floor(screen, binary, cpu_seconds):
    proc, _, _ = start(screen, [binary], None)
    time.sleep(5)
    mem = pss_rss(proc.pid)
    cpu = cpu_per_minute(proc.pid, cpu_seconds)
    stop(proc)
    return mem, cpu


def parse_ticks(text):
    m = re.search(r"drift_ms (\S+) p50_ms (\S+) p99_ms (\S+)", text)
    return tuple(float(v) for v in m.groups()) if m else (float("nan"),) * 3


def start_tick_runs(bindir, ticks):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", BENCH_TICKS=str(ticks))
    runs = {"floor": subprocess.Popen([f"{bindir}/bench_floor"], env=env, stdout=subprocess.PIPE,
                                      stderr=subprocess.DEVNULL, text=True)}
    for which in ("tak", "ron", "men"):
        runs[which] = subprocess.Popen([f"{bindir}/bench_driver", "ticks", which, str(ticks)], cwd=bindir, env=env,
                                       stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    return runs


def simulate(bindir):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    out = subprocess.run([f"{bindir}/bench_driver", "simulate"], cwd=bindir, env=env, capture_output=True,
                         text=True).stdout
    m = re.search(r"paper_cpu_ms (\S+) essay_cpu_ms (\S+) paper_model_cpu_ms (\S+) essay_model_cpu_ms (\S+)", out)
    return tuple(float(v) for v in m.groups())


def cue_latency(root):
    """The whole sound check's figures, for each server: cues heard, the
    latencies from request to the first sample rendered (min, median, max),
    onsets before their request (a clock error), and the latency the server
    reports for a playing stream."""
    out = subprocess.run(["bash", f"{root}/scripts/sound-check.sh"], capture_output=True, text=True).stdout
    found = {}
    for server, block in re.findall(r"^(PulseAudio|PipeWire):\n((?:  .*\n)+)", out, re.M):
        heard = re.search(r"on orvalen_a: (\d+) of (\d+) heard", block)
        lat = re.search(r"min (\S+) ms, median (\S+) ms, max (\S+) ms(?:; (\d+) onsets)?", block)
        stream = re.search(r"playing stream: median (\S+) ms", block)
        wav16 = re.search(r"latency of a 16-bit WAV \(s01.wav\): median (\S+) ms", block)
        mp3 = re.search(r"latency of the largest MP3 read for the first time \(32 MiB\): (\S+) ms", block)
        if heard and lat:
            found[server] = (int(heard.group(1)), int(heard.group(2)), *map(float, lat.group(1, 2, 3)),
                             int(lat.group(4) or 0), float(stream.group(1)) if stream else float("nan"),
                             float(wav16.group(1)) if wav16 else float("nan"),
                             float(mp3.group(1)) if mp3 else float("nan"))
    return found, "sound check: passed" in out, re.findall(r"^FAILED: (.*)$", out, re.M)


# Five long cue files: 10-minute MP3s, 44.1 kHz stereo at 128 kbit/s. Of
# each, the first 60 s is kept, decoded as 32-bit float.
LONG_CUE_SECONDS, LONG_CUE_KEPT_MIB = 600, 5 * 60 * 44100 * 2 * 4 / 2**20


def long_mp3_cues(screen, bindir):
    """Resident memory and its peak (MiB) 6 s after starting from a folder
    whose five cue files are 10-minute MP3s, as a candidate's own."""
    with tempfile.TemporaryDirectory() as folder:
        tone = f"{folder}/tone.wav"
        subprocess.run(["sox", "-n", "-r", "44100", "-c", "2", tone, "synth", str(LONG_CUE_SECONDS),
                        "sine", "440"], check=True)
        subprocess.run(["lame", "--quiet", "-b", "128", tone, f"{folder}/s01.wav"], check=True)
        os.remove(tone)
        for n in range(2, 6):
            shutil.copy(f"{folder}/s01.wav", f"{folder}/s0{n}.wav")
        proc, _, _ = start(screen, [f"{bindir}/orvalen"], folder)
        time.sleep(6)
        with open(f"/proc/{proc.pid}/status") as f:
            status = dict(line.split(":", 1) for line in f)
        stop(proc)
    return tuple(int(status[k].split()[0]) / 1024 for k in ("VmRSS", "VmHWM"))


def med(values):
    values = [v for v in values if v == v]  # a run that gave nothing is NaN
    return statistics.median(values) if values else float("nan")


def machine():
    model = "unknown"
    try:
        with open("/proc/cpuinfo") as f:
            for line in f:
                if line.startswith("model name"):
                    model = line.split(":", 1)[1].strip()
                    break
    except OSError:
        pass
    qt = subprocess.run(["dpkg-query", "-W", "-f=${Version}", "libqt6core6"], capture_output=True,
                        text=True).stdout.strip()
    return f"{os.cpu_count()} cores, {model}, Linux {platform.release()}, Qt {qt}, Xvfb"


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--runs", type=int, default=5)
    ap.add_argument("--cpu-seconds", type=int, default=30)
    ap.add_argument("--ticks", type=int, default=120, help="0 leaves out the tick timing")
    ap.add_argument("--bindir", required=True)
    ap.add_argument("--root", required=True)
    args = ap.parse_args()
    bindir = os.path.abspath(args.bindir)
    screen = Screen()

    floor_pss, floor_rss, floor_cpu = [], [], []
    starts = {"floor": [], "orvalen": []}
    orv = {w: {"menu_pss": [], "menu_rss": [], "pss": [], "rss": [], "cpu": []}
           for w in ("tak", "ron", "men")}
    ticks = {w: [] for w in ("floor", "tak", "ron", "men")}
    sims, long_cues = [], []
    for run in range(args.runs):
        print(f"run {run + 1} of {args.runs}", file=sys.stderr)
        # Memory and CPU first, each program alone: another Qt process running
        # at the same time would share (and so halve) the libraries' PSS.
        for name, times in start_times(screen, bindir, 3).items():
            starts[name] += times
        (pss, rss), cpu = measure_floor(screen, f"{bindir}/bench_floor", args.cpu_seconds)
        floor_pss.append(pss)
        floor_rss.append(rss)
        floor_cpu.append(cpu)
        for which in ("tak", "ron", "men"):
            menu_mem, timer_mem, cpu = measure_orvalen(screen, f"{bindir}/orvalen", bindir, which,
                                                          args.cpu_seconds)
            o = orv[which]
            o["menu_pss"].append(menu_mem[0])
            o["menu_rss"].append(menu_mem[1])
            o["pss"].append(timer_mem[0])
            o["rss"].append(timer_mem[1])
            o["cpu"].append(cpu)
        tick_runs = start_tick_runs(bindir, args.ticks) if args.ticks > 0 else {}
        for which, proc in tick_runs.items():
            try:
                out, _ = proc.communicate(timeout=args.ticks * 2 + 60)
            except subprocess.TimeoutExpired:
                proc.kill()
                out, _ = proc.communicate()
                print(f"run {run + 1}: {which} gave no tick timing", file=sys.stderr)
            ticks[which].append(parse_ticks(out))
        sims.append(simulate(bindir))
        long_cues.append(long_mp3_cues(screen, bindir))
    cue = cue_latency(args.root)

    rows = []

    def row(name, floor, value, unit, target_text, ok, ratio=True):
        r = f"{value / floor:.2f}" if ratio and floor else "—"
        f = f"{floor:.1f} {unit}" if floor is not None else "—"
        rows.append(f"| {name} | {f} | {value:.1f} {unit} | {r} | {target_text} | {'yes' if ok else '**NO**'} |")

    fs, os_ = med([t[1] for t in starts["floor"]]), med([t[1] for t in starts["orvalen"]])
    row("start to first frame of the main window", fs, os_, "ms", "≤ 1.3 × floor", os_ <= 1.3 * fs)
    fm, om = med([t[0] for t in starts["floor"]]), med([t[0] for t in starts["orvalen"]])
    row("start to the main window mapped (before its first frame)", fm, om, "ms", "—", True)
    fp, fr = med(floor_pss), med(floor_rss)
    menu_pss = med([v for w in orv.values() for v in w["menu_pss"]])
    menu_rss = med([v for w in orv.values() for v in w["menu_rss"]])
    row("PSS, 5 s after start", fp, menu_pss, "MiB", "≤ floor + 8 MiB", menu_pss <= fp + 8)
    row("RSS, 5 s after start", fr, menu_rss, "MiB", "—", True)
    names = {"tak": "multiple-choice timer", "ron": "essay timer", "men": "countdown timer"}
    for w in ("tak", "ron", "men"):
        p = med(orv[w]["pss"])
        row(f"PSS, 5 s into the {names[w]}", fp, p, "MiB", "≤ floor + 8 MiB", p <= fp + 8)
        row(f"RSS, 5 s into the {names[w]}", fr, med(orv[w]["rss"]), "MiB", "—", True)
    long_rss, long_peak = med([c[0] for c in long_cues]), med([c[1] for c in long_cues])
    most = menu_rss + LONG_CUE_KEPT_MIB + 20
    row("RSS, 6 s after start with five 10-minute MP3 cues", None, long_rss, "MiB",
        f"≤ RSS with the shipped cues + {LONG_CUE_KEPT_MIB:.0f} MiB of samples kept + 20 MiB ({most:.0f} MiB)",
        long_rss <= most, ratio=False)
    row("the same, its peak", None, long_peak, "MiB", "—", True, ratio=False)
    fc = med(floor_cpu)
    for w in ("tak", "ron", "men"):
        c = med(orv[w]["cpu"])
        row(f"CPU per minute, {names[w]} running", fc, c, "ms", "≤ 1.5 × floor", c <= 1.5 * fc)
    fd = [t for t in ticks["floor"]]
    floor_drift = med([abs(t[0]) for t in fd])
    for w in ("tak", "ron", "men"):
        d = med([abs(t[0]) for t in ticks[w]])
        row(f"drift over {args.ticks} ticks, {names[w]}", floor_drift, d, "ms", "≤ 3 ms", d <= 3, ratio=False)
        p50 = med([t[1] for t in ticks[w]])
        p99 = med([t[2] for t in ticks[w]])
        row(f"per-tick lateness p50 / p99, {names[w]}", med([t[1] for t in fd]), p50, "ms",
            f"p99 {p99:.2f} ms (floor {med([t[2] for t in fd]):.2f})", True, ratio=False)
    cues, passed, why = cue
    for server in ("PulseAudio", "PipeWire"):
        if server not in cues:
            rows.append(f"| cue request to first sample rendered, {server} null sink | — | not measured | — | — | **NO** |")
            continue
        heard, total, lo, mid, hi, early, stream, wav16, mp3 = cues[server]
        ok = heard == total and mid <= 30 and hi <= 50
        rows.append(f"| cue request to first sample rendered (min / median / max), {server} null sink | — "
                    f"| {lo:.1f} / {mid:.1f} / {hi:.1f} ms | — | median ≤ 30, max ≤ 50 ms; heard {heard} of {total}"
                    f"{f'; {early} onsets before their request (clock error, left out)' if early else ''} "
                    f"| {'yes' if ok else '**NO**'} |")
        rows.append(f"| cue request to first sample rendered, median, of a 16-bit WAV ({server}) "
                    f"| — | {wav16:.1f} ms | — | — | — |")
        rows.append(f"| cue request to first sample rendered, of the largest MP3 (32 MiB) read and decoded "
                    f"for the first time, off the GUI thread ({server}) | — | {mp3:.1f} ms | — | — | — |")
        rows.append(f"| stream latency the server reports once a cue plays ({server}): what an output device adds "
                    f"| — | {stream:.1f} ms | — | — | — |")
    if not passed:
        rows.append(f"| the whole sound check | — | failed: {'; '.join(why) or 'no figures'} | — | passes | **NO** |")
    paper = med([s[0] for s in sims])
    essay = med([s[1] for s in sims])
    row("CPU of a simulated paper: 12,600 pacing ticks", None, paper, "ms", "< 150 ms", paper < 150, ratio=False)
    row("CPU of a simulated essay run: 7,200 ticks", None, essay, "ms", "< 150 ms", essay < 150, ratio=False)
    paper_model = med([s[2] for s in sims])
    essay_model = med([s[3] for s in sims])
    row("CPU of a simulated paper on the models alone", None, paper_model, "ms", "< 150 ms", paper_model < 150,
        ratio=False)
    row("CPU of a simulated essay run on the model alone", None, essay_model, "ms", "< 150 ms", essay_model < 150,
        ratio=False)

    print(f"Machine: {machine()}. Median of {args.runs} runs (start times: of {3 * args.runs} starts each, "
          f"the floor and Orvalen in turn); CPU over {args.cpu_seconds} s; ticks at 1000 ms.\n")
    print("| measure | floor | Orvalen | ratio | target | met |")
    print("|---|---|---|---|---|---|")
    print("\n".join(rows))
    missed = [r for r in rows if "**NO**" in r]
    print()
    print("Every target met." if not missed else f"Targets missed: {len(missed)} (marked **NO**).")


if __name__ == "__main__":
    main()
