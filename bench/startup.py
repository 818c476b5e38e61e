#!/usr/bin/env python3
"""Start-up benchmark: the editor from its start to the main window shown and idle, against a
bare Qt window (bench/qt_floor) built by the same project, in the same run.

Usage: bench/startup.py [BUILD_DIR] [RUNS]
The build folder must hold `tessera` and `qt_floor` (configure with -DTESSERA_BENCH=ON).
A settings file beside the executable marks the demo game as chosen so no dialog opens.
"""
import os
import statistics
import subprocess
import sys
import time

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "build-bench"))
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
env = dict(os.environ, QT_QPA_PLATFORM=os.environ.get("QT_QPA_PLATFORM", "offscreen"))

game = os.path.join(root, "demo", "Half-Life", "cstrike")
with open(os.path.join(build, "Cfgneed.INI"), "wb") as f:
    f.write(b"[Game]\r\ndadir=1\r\nCatalog=" + game.encode() + b"\r\n")


def run(cmd):
    start = time.perf_counter()
    proc = subprocess.Popen(cmd, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(proc.pid, 0)
    elapsed = time.perf_counter() - start
    if status != 0:
        sys.exit(f"{cmd[0]} failed with status {status}")
    return elapsed, usage.ru_maxrss  # seconds, KiB


programs = {
    "qt_floor": [os.path.join(build, "bench", "qt_floor")],
    "tessera": [os.path.join(build, "tessera"), "--exit-when-idle"],
}
results = {name: [] for name in programs}
for name, cmd in programs.items():  # warm the caches once
    run(cmd)
for _ in range(runs):
    for name, cmd in programs.items():  # interleaved, so both see the same machine load
        results[name].append(run(cmd))

for name, samples in results.items():
    t = statistics.median(s[0] for s in samples)
    m = max(s[1] for s in samples)
    print(f"{name:10s} median {t * 1000:7.1f} ms   peak memory {m / 1024:6.1f} MiB")
floor_t = statistics.median(s[0] for s in results["qt_floor"])
tess_t = statistics.median(s[0] for s in results["tessera"])
floor_m = max(s[1] for s in results["qt_floor"])
tess_m = max(s[1] for s in results["tessera"])
print(f"ratio: time {tess_t / floor_t:.2f}x (goal 1.5x), peak memory {tess_m / floor_m:.2f}x (goal 1.3x)")
