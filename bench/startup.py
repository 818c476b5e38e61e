#!/usr/bin/env python3
"""Start-up benchmark: the editor from its start to its windows painted and idle, against
bench/qt_peer (a plain Qt program showing the same windows, menus and fonts, and loading the same
file into its editor), in the same run; with no file, also against a bare Qt window
(bench/qt_floor).

The runs alternate program by program (which goes first alternating too), so both see the same
machine load. Prints, for no file and a 1, 4 and 16 MB config: the median wall time with its
quartiles, the median CPU time (user + system) and the ratio of the medians, and the machine's
load before and after.

Usage: bench/startup.py [BUILD_DIR] [RUNS]
The build folder must hold `tessera`, `bench/qt_peer` and `bench/qt_floor` (configure with
-DTESSERA_BENCH=ON). A settings file beside the executable marks the demo game as chosen so no
dialog opens.
"""
import os
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
    """Wall and CPU seconds of one run."""
    start = time.perf_counter()
    proc = subprocess.Popen(cmd, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(proc.pid, 0)
    wall = time.perf_counter() - start
    if status != 0:
        sys.exit(f"{cmd} failed with status {status}")
    return wall, usage.ru_utime + usage.ru_stime


def quartiles(samples):
    s = sorted(samples)
    at = lambda q: s[int(q * (len(s) - 1) + 0.5)]
    return at(0.25), at(0.5), at(0.75)


def load():
    return "machine load %.2f %.2f %.2f (1, 5, 15 min)" % os.getloadavg()


tessera = os.path.join(build, "tessera")
peer = os.path.join(build, "bench", "qt_peer")
floor = os.path.join(build, "bench", "qt_floor")
print("before:", load())
with tempfile.TemporaryDirectory() as tmp:
    cases = [("no file", [tessera, "--exit-when-idle"], {"peer": [peer], "bare window": [floor]})]
    for mb in (1, 4, 16):
        path = config_file(tmp, mb)
        cases.append((f"{mb} MB", [tessera, path, "--exit-when-idle"], {"peer": [peer, path]}))
    for name, ours_cmd, anchors in cases:
        # The larger files take seconds a start: fewer runs, but never fewer than five.
        n = runs if "MB" not in name or name == "1 MB" else max(5, runs // 3)
        cmds = [("ours", ours_cmd)] + list(anchors.items())
        for _, cmd in cmds:  # warm the caches once
            run(cmd)
        samples = {side: [] for side, _ in cmds}
        for i in range(n):
            order = cmds if i % 2 == 0 else list(reversed(cmds))
            for side, cmd in order:
                samples[side].append(run(cmd))
        ours_q = quartiles([s[0] for s in samples["ours"]])
        ours_cpu = statistics.median(s[1] for s in samples["ours"])
        for side in anchors:
            a_q = quartiles([s[0] for s in samples[side]])
            a_cpu = statistics.median(s[1] for s in samples[side])
            goal = "  goal 1.1x" if side == "peer" else ""
            print(f"start-up, {name:8s} vs {side:11s} ours {ours_q[1] * 1000:7.0f} ms "
                  f"({ours_q[0] * 1000:.0f}-{ours_q[2] * 1000:.0f}) cpu {ours_cpu * 1000:6.0f} ms"
                  f"  anchor {a_q[1] * 1000:7.0f} ms ({a_q[0] * 1000:.0f}-{a_q[2] * 1000:.0f}) "
                  f"cpu {a_cpu * 1000:6.0f} ms  ratio {ours_q[1] / a_q[1]:.2f}x "
                  f"(cpu {ours_cpu / a_cpu:.2f}x){goal}", flush=True)
print("after: ", load())
