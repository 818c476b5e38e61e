#!/usr/bin/env python3
"""Start-up benchmark: the editor from its start to its windows painted and idle, against
bench/qt_peer (a plain Qt program showing the same windows, menus and fonts, and loading the same
file into its editor), in the same run; with no file, also against a bare Qt window
(bench/qt_floor), and once more with two busy jobs on the machine (two processes spinning, one a
core, started by this script and ended when the rows are done).

The runs alternate program by program (which goes first alternating too), so both see the same
machine load. Prints, for no file and the shared generator's 1, 4 and 16 MB configs, rows per
anchor: the time until the windows are painted and the events queued by then have run (each
program writes the steady clock's time as it quits, shell/qt_quit_when_painted.h), the CPU time
(user + system, every thread's) of the whole run, and the time until the program has ended. Each
gives the medians with their quartiles and the median of the per-pair ratios with its quartiles;
then the machine's load before and after.

Usage: bench/startup.py [BUILD_DIR] [RUNS] [no-file]  (no-file: only the rows with no file)
The build folder must hold `tessera`, `bench/qt_peer` and `bench/qt_floor` (configure with
-DTESSERA_BENCH=ON). A settings file beside the executable marks the demo game as chosen so no
dialog opens.
"""
import os
import re
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from bench_configs import config_file  # noqa: E402

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "build-bench"))
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
env = dict(os.environ, QT_QPA_PLATFORM=os.environ.get("QT_QPA_PLATFORM", "offscreen"),
           QT_QPA_PLATFORMTHEME="")

game = os.path.join(root, "demo", "Half-Life", "cstrike")
with open(os.path.join(build, "Cfgneed.INI"), "wb") as f:
    f.write(b"[Game]\r\ndadir=1\r\nCatalog=" + game.encode() + b"\r\n")


def run(cmd):
    """Seconds of one run: to painted and idle, to the end, and the CPU time."""
    start = time.monotonic_ns()  # CLOCK_MONOTONIC, the clock the programs write
    proc = subprocess.Popen(cmd, env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    out = proc.stdout.read()
    _, status, usage = os.wait4(proc.pid, 0)
    end = time.monotonic_ns()
    if status != 0:
        sys.exit(f"{cmd} failed with status {status}")
    stamp = re.search(rb"painted-and-idle (\d+)", out)
    if not stamp:
        sys.exit(f"{cmd} did not say when it was painted and idle")
    return ((int(stamp.group(1)) - start) / 1e9, (end - start) / 1e9,
            usage.ru_utime + usage.ru_stime)


def quartiles(samples):
    s = sorted(samples)
    at = lambda q: s[int(q * (len(s) - 1) + 0.5)]
    return at(0.25), at(0.5), at(0.75)


def load():
    return "machine load %.2f %.2f %.2f (1, 5, 15 min)" % os.getloadavg()


def row(title, ours, anchor, goal=None):
    o, a = quartiles(ours), quartiles(anchor)
    r = quartiles([x / y for x, y in zip(ours, anchor)])
    goal_text = f"  goal {goal:.1f}x" if goal else ""
    print(f"{title:52s} ours {o[1] * 1000:7.1f} ms ({o[0] * 1000:.1f}-{o[2] * 1000:.1f})  anchor "
          f"{a[1] * 1000:7.1f} ms ({a[0] * 1000:.1f}-{a[2] * 1000:.1f})  ratio {r[1]:.2f}x "
          f"({r[0]:.2f}-{r[2]:.2f}){goal_text}", flush=True)


def measure(name, ours_cmd, anchors, n):
    cmds = [("ours", ours_cmd)] + list(anchors.items())
    for _, cmd in cmds:  # warm the caches once
        run(cmd)
    samples = {side: [] for side, _ in cmds}
    for i in range(n):
        order = cmds if i % 2 == 0 else list(reversed(cmds))
        for side, cmd in order:
            samples[side].append(run(cmd))
    for side in anchors:
        goal = 1.1 if side == "peer" else None
        for k, what in ((0, "painted, idle"), (2, "cpu"), (1, "ended")):
            row(f"start-up, {name} vs {side}, {what}", [s[k] for s in samples["ours"]],
                [s[k] for s in samples[side]], goal if k in (0, 2) else None)


tessera = os.path.join(build, "tessera")
peer = os.path.join(build, "bench", "qt_peer")
floor = os.path.join(build, "bench", "qt_floor")
print("before:", load())
with tempfile.TemporaryDirectory() as tmp:
    no_file = ([tessera, "--exit-when-idle"], {"peer": [peer], "bare window": [floor]})
    measure("no file", *no_file, runs)
    for mb in () if sys.argv[3:4] == ["no-file"] else (1, 4, 16):
        path = config_file(tmp, mb)
        # The larger files take seconds a start: fewer runs, but never fewer than five.
        measure(f"{mb} MB", [tessera, path, "--exit-when-idle"], {"peer": [peer, path]},
                runs if mb == 1 else max(5, runs // 3))
    # Two busy jobs, one a core: what a player's machine has running beside the program.
    busy = [subprocess.Popen([sys.executable, "-c", "while True: pass"]) for _ in range(2)]
    try:
        time.sleep(1)
        print("two busy jobs:", load())
        measure("no file, two busy jobs", *no_file, runs)
    finally:
        for job in busy:
            job.kill()
            job.wait()
print("after: ", load())
