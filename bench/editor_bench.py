#!/usr/bin/env python3
"""The editor's costs, each against an anchor measured in the same run, as one table:

  find next, EndEnter, delete line (1, 4, 16 MB)   vs QPlainTextEdit::find in a bare main window /
                                                    one cursor operation
  explanation shown                                 vs a hash lookup
  start-up to first paint (no file; 1, 4, 16 MB)    vs bench/qt_peer (same visible windows,
                                                       menus and fonts), and vs bench/qt_floor
  peak memory with the file open (1, 4, 16 MB)      vs bench/qt_peer, the largest of the runs

Usage: bench/editor_bench.py [--build-dir DIR] [--runs N] [--no-build]
Builds tessera, qt_floor, qt_peer and editor_commands_bench (RelWithDebInfo, TESSERA_BENCH=ON)
in DIR (default build-bench) unless --no-build is given.
"""
import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from bench_configs import config_file  # noqa: E402

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
parser = argparse.ArgumentParser()
parser.add_argument("--build-dir", default=os.path.join(root, "build-bench"))
parser.add_argument("--runs", type=int, default=15)
parser.add_argument("--no-build", action="store_true")
args = parser.parse_args()
build = os.path.abspath(args.build_dir)
env = dict(os.environ, QT_QPA_PLATFORM=os.environ.get("QT_QPA_PLATFORM", "offscreen"),
           QT_QPA_PLATFORMTHEME="")

if not args.no_build:
    subprocess.run(["cmake", "-S", root, "-B", build, "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                    "-DTESSERA_BENCH=ON", "-DTESSERA_TESTS=OFF"], check=True,
                   stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", build, "-j", os.environ.get("JOBS", "2"), "--target",
                    "tessera", "qt_floor", "qt_peer", "editor_commands_bench"], check=True,
                   stdout=subprocess.DEVNULL)

rows = []  # (row, size, ours ms, anchor ms, goal, ratio or None for that of the medians)
memory = []  # (size, ours MiB, peer MiB)
goals = {"EndEnter": 2.0, "delete line": 2.0}

# --- the commands, in one process
out = subprocess.run([os.path.join(build, "bench", "editor_commands_bench"),
                      os.path.join(root, "data")], env=env, check=True,
                     stdout=subprocess.PIPE, text=True).stdout
for line in out.splitlines():
    fields = line.split("\t")
    if len(fields) != 4:
        print(line)  # the rows with quartiles (find next) and the machine's load
        continue
    name, size, ours, anchor = fields
    rows.append((name, int(size), float(ours), float(anchor), goals.get(name), None))

# --- start-up, interleaved runs of the program and its two anchors
game = os.path.join(root, "demo", "Half-Life", "cstrike")
with open(os.path.join(build, "Cfgneed.INI"), "wb") as f:
    f.write(b"[Game]\r\ndadir=1\r\nCatalog=" + game.encode() + b"\r\n")


def run(cmd):
    start = time.perf_counter()
    proc = subprocess.Popen(cmd, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(proc.pid, 0)
    if status != 0:
        sys.exit(f"{cmd} failed with status {status}")
    peaks[tuple(cmd)] = max(peaks.get(tuple(cmd), 0), usage.ru_maxrss)  # KiB
    return time.perf_counter() - start


peaks = {}  # the largest resident size of each command line over its runs


tessera = os.path.join(build, "tessera")
peer = os.path.join(build, "bench", "qt_peer")
floor = os.path.join(build, "bench", "qt_floor")
with tempfile.TemporaryDirectory() as tmp:
    cases = [(0, [tessera, "--exit-when-idle"], [peer], [floor])]
    for mb in (1, 4, 16):
        path = config_file(tmp, mb)
        cases.append((mb, [tessera, path, "--exit-when-idle"], [peer, path], None))
    for mb, ours_cmd, peer_cmd, floor_cmd in cases:
        # The larger files take seconds a start: fewer runs, but never fewer than five.
        runs = args.runs if mb <= 1 else max(5, args.runs // (2 if mb <= 4 else 3))
        samples = {"ours": [], "peer": [], "floor": []}
        cmds = {"ours": ours_cmd, "peer": peer_cmd, "floor": floor_cmd}
        for cmd in cmds.values():  # warm the caches once
            if cmd:
                run(cmd)
        for i in range(runs):  # which goes first alternates
            order = list(cmds.items()) if i % 2 == 0 else list(reversed(cmds.items()))
            for name, cmd in order:
                if cmd:
                    samples[name].append(run(cmd))
        ours = statistics.median(samples["ours"]) * 1000

        def pair_ratio(anchor):  # the median of the per-run ratios
            return statistics.median(o / a for o, a in zip(samples["ours"], samples[anchor]))

        rows.append(("start-up, vs peer", mb, ours, statistics.median(samples["peer"]) * 1000,
                     1.1, pair_ratio("peer")))
        if floor_cmd:
            rows.append(("start-up, vs bare window", mb, ours,
                         statistics.median(samples["floor"]) * 1000, None, pair_ratio("floor")))
        if mb:
            memory.append((mb, peaks[tuple(ours_cmd)] / 1024, peaks[tuple(peer_cmd)] / 1024))

print(f"{'row':38s} {'size':>6s} {'ours ms':>10s} {'anchor ms':>10s} {'ratio':>8s} {'goal':>6s}")
for name, size, ours, anchor, goal, ratio in rows:
    size_text = f"{size} MB" if size else "-"
    if ratio is None:
        ratio = ours / anchor if anchor > 0 else float("inf")
    goal_text = f"{goal:.2f}x" if goal else ""
    print(f"{name:38s} {size_text:>6s} {ours:10.3f} {anchor:10.3f} {ratio:7.2f}x {goal_text:>6s}")
for size, ours, peer in memory:
    goal = "1.05x" if size == 16 else ""
    print(f"{'peak memory with the file open, vs peer':38s} {f'{size} MB':>6s} {ours:9.1f}M "
          f"{peer:9.1f}M {ours / peer:7.2f}x {goal:>6s}")
