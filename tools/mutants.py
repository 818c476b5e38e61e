#!/usr/bin/env python3
"""A small mutation runner: how many one-change faults of a few files the test suite catches.

For each of N mutants drawn at random from the files named (one change on one logic line: a
comparison flipped, a whole-number constant moved by one, a statement removed, `&&` for `||` or
`||` for `&&`), the changed file is written into a scratch copy of the tree, the copy is rebuilt
incrementally in a build folder of its own, and the whole suite runs there with a time limit. A
mutant the suite fails on (or runs out of time on) is killed; one it passes survives. A mutant
that does not build is put back and another one drawn. The working tree is never written.

    tools/mutants.py -n 12 --seed 7 wizard/apply_settings.cpp language/config_check.cpp

Mutants judged equivalent by hand (they change nothing a caller can see) are listed in a file
given with --equivalent, one a line as the runner prints them (`FILE:LINE:COLUMN: OLD => NEW`,
a `#` and the reason after it); they are shown as such and left out of the score.

Not part of CI: a mutant costs a rebuild and a run of the suite. With --lock the build lock is
held for each mutant's build and run only, so others can build in between.
"""

import argparse
import fcntl
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import time
from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent


@dataclass
class Mutant:
    path: str  # relative to the tree
    line: int  # 1-based
    column: int  # 0-based, where the change begins
    old: str
    new: str
    operator: str

    def key(self) -> str:
        # The column tells two changes of one line apart.
        where = f"{self.path}:{self.line}" + ("" if self.operator == "statement removed"
                                               else f":{self.column + 1}")
        return f"{where}: {self.old.strip()} => {self.new.strip() or '(removed)'}"


# --- where a line may be changed ---------------------------------------------------------------

def code_mask(lines):
    """For each line, its text with comments and the contents of string and character literals
    blanked (same length), so that the operators below only match code."""
    masked = []
    in_block = False
    for text in lines:
        out = []
        i = 0
        while i < len(text):
            c = text[i]
            if in_block:
                if text.startswith("*/", i):
                    in_block = False
                    out.append("  ")
                    i += 2
                else:
                    out.append(" ")
                    i += 1
                continue
            if text.startswith("//", i):
                out.append(" " * (len(text) - i))
                break
            if text.startswith("/*", i):
                in_block = True
                out.append("  ")
                i += 2
                continue
            if c in "\"'":
                # A raw string would need more; the program's files have none on logic lines.
                quote = c
                out.append(c)
                i += 1
                while i < len(text) and text[i] != quote:
                    if text[i] == "\\" and i + 1 < len(text):
                        out.append("  ")
                        i += 2
                        continue
                    out.append(" ")
                    i += 1
                if i < len(text):
                    out.append(quote)
                    i += 1
                continue
            out.append(c)
            i += 1
        masked.append("".join(out))
    return masked


SKIPPED_LINE = re.compile(r"^\s*(#|using |namespace |template\s*<|static_assert|Q_[A-Z_]+\()")
COMPARISONS = {" < ": " >= ", " > ": " <= ", " <= ": " > ", " >= ": " < ", " == ": " != ",
               " != ": " == "}
LOGIC = {" && ": " || ", " || ": " && "}
NUMBER = re.compile(r"(?<![\w.])(\d+)(?![\w.])")
# A statement on a line of its own; a return with a value is left (without it the function
# would run off its end, which is no fault a test could be asked to catch).
STATEMENT = re.compile(r"^(?!\s*(return\s+[^;\s]|case\b|default\b|public:|private:|protected:))"
                       r"[^{}]*;\s*$")


def sites(path, lines):
    """Every one-change mutant of a file, by line."""
    masked = code_mask(lines)
    by_line = {}
    for number, (text, code) in enumerate(zip(lines, masked), start=1):
        if not code.strip() or SKIPPED_LINE.match(code):
            continue
        found = []
        for table, operator in ((COMPARISONS, "comparison flipped"), (LOGIC, "&& and || swapped")):
            for old, new in table.items():
                for m in re.finditer(re.escape(old), code):
                    found.append(Mutant(path, number, m.start(), old, new, operator))
        for m in NUMBER.finditer(code):
            value = int(m.group(1))
            for moved in {value + 1, max(value - 1, 0)} - {value}:
                found.append(Mutant(path, number, m.start(), m.group(1), str(moved),
                                    "constant moved by one"))
        if STATEMENT.match(code) and code.count("(") == code.count(")"):
            found.append(Mutant(path, number, 0, text, "", "statement removed"))
        if found:
            by_line[number] = found
    return by_line


def apply(mutant, lines):
    changed = list(lines)
    text = changed[mutant.line - 1]
    if mutant.operator == "statement removed":
        # An empty statement in its place, so that the body of an `if` stays a body.
        changed[mutant.line - 1] = text[:len(text) - len(text.lstrip())] + ";"
    else:
        at = mutant.column
        assert text[at:at + len(mutant.old)] == mutant.old
        changed[mutant.line - 1] = text[:at] + mutant.new + text[at + len(mutant.old):]
    return "\n".join(changed) + "\n"


# --- the scratch tree and its build -------------------------------------------------------------

def tracked_files():
    out = subprocess.run(["git", "ls-files", "--cached", "--others", "--exclude-standard", "-z"],
                         cwd=ROOT, check=True, capture_output=True).stdout
    return [f for f in out.decode().split("\0") if f and (ROOT / f).is_file()]


def sync_tree(tree):
    """Copies the working tree into the scratch tree, writing only files whose bytes differ, so
    the scratch build stays incremental."""
    for name in tracked_files():
        source = ROOT / name
        target = tree / name
        data = source.read_bytes()
        if target.is_file() and target.read_bytes() == data:
            continue
        target.parent.mkdir(parents=True, exist_ok=True)
        target.write_bytes(data)
        shutil.copymode(source, target)


class BuildLock:
    def __init__(self, path):
        self.path = path
        self.handle = None

    def __enter__(self):
        if self.path:
            self.handle = open(self.path, "a")
            fcntl.flock(self.handle, fcntl.LOCK_EX)
        return self

    def __exit__(self, *exc):
        if self.handle:
            fcntl.flock(self.handle, fcntl.LOCK_UN)
            self.handle.close()


def run(command, timeout=None, env=None):
    """Runs a command in its own process group (all of it ended at the time limit); returns its
    exit status, None when it ran out of time, and its output."""
    process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                               env=env, start_new_session=True)
    try:
        output, _ = process.communicate(timeout=timeout)
        return process.returncode, output.decode(errors="replace")
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        output, _ = process.communicate()
        return None, output.decode(errors="replace")


def configure(tree, build, sanitize):
    command = ["cmake", "-S", str(tree), "-B", str(build), "-DCMAKE_BUILD_TYPE=Debug",
               "-DTESSERA_TESTS=ON", f"-DTESSERA_SANITIZE={'ON' if sanitize else 'OFF'}"]
    status, output = run(command)
    if status != 0:
        sys.exit("mutants: cmake failed:\n" + output)


def build(build_dir, jobs):
    status, output = run(["cmake", "--build", str(build_dir), f"-j{jobs}"])
    return status == 0, output


def suite(build_dir, jobs, limit, tests):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    command = ["ctest", "--test-dir", str(build_dir), f"-j{jobs}", "--timeout", str(limit)]
    if tests:
        command += ["-R", tests]
    status, output = run(command, timeout=limit + 60, env=env)
    failed = re.findall(r"\d+ - (\S+) \(", output)
    return status, failed


# --- the run ------------------------------------------------------------------------------------

def read_equivalent(path):
    judged = {}
    if not path:
        return judged
    for line in Path(path).read_text().splitlines():
        if line.strip() and not line.startswith("#"):
            key, _, why = line.partition("#")
            judged[key.strip()] = why.strip()
    return judged


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("files", nargs="+", help="source files, relative to the tree's root")
    parser.add_argument("-n", "--count", type=int, default=10, help="mutants to run (10)")
    parser.add_argument("--seed", type=int, default=1, help="the draw's seed (1)")
    parser.add_argument("--work", default="build-mutants",
                        help="folder of the scratch tree and its build (build-mutants)")
    parser.add_argument("--timeout", type=int, default=0,
                        help="seconds a test may take (default: three times the baseline run)")
    parser.add_argument("-j", "--jobs", type=int, default=2)
    parser.add_argument("--lock", default="", help="a lock file held for each build and run")
    parser.add_argument("--tests", default="", help="only the ctest tests matching this")
    parser.add_argument("--sanitize", action="store_true", help="build with the sanitizers")
    parser.add_argument("--equivalent", default="", help="mutants judged equivalent by hand")
    parser.add_argument("--list", action="store_true", help="print the draw and run nothing")
    args = parser.parse_args()

    rng = random.Random(args.seed)
    candidates = {}
    for name in args.files:
        lines = (ROOT / name).read_text().split("\n")
        if lines and lines[-1] == "":
            lines.pop()
        candidates[name] = (lines, sites(name, lines))

    def draw():
        name = rng.choice(sorted(n for n in candidates if candidates[n][1]))
        by_line = candidates[name][1]
        line = rng.choice(sorted(by_line))
        return rng.choice(by_line[line])

    if args.list:
        listed = set()
        for _ in range(args.count * 20):
            m = draw()
            if m.key() not in listed:
                listed.add(m.key())
                print(f"#{len(listed)} {m.operator:22} {m.key()}")
            if len(listed) == args.count:
                break
        return 0

    work = (ROOT / args.work).resolve()
    tree, build_dir = work / "tree", work / "build"
    judged = read_equivalent(args.equivalent)
    sync_tree(tree)
    with BuildLock(args.lock):
        if not (build_dir / "CMakeCache.txt").exists():
            configure(tree, build_dir, args.sanitize)
        ok, output = build(build_dir, args.jobs)
        if not ok:
            sys.exit("mutants: the unchanged tree does not build:\n" + output[-4000:])
        started = time.monotonic()
        status, failed = suite(build_dir, args.jobs, 3600, args.tests)
        baseline = time.monotonic() - started
    if status != 0:
        sys.exit(f"mutants: the unchanged tree fails its tests: {', '.join(failed)}")
    limit = args.timeout or int(3 * baseline + 30)
    print(f"baseline: the suite passes in {baseline:.0f} s; time limit {limit} s a test",
          flush=True)

    results = {"killed": 0, "survived": 0, "equivalent": 0, "did not build": 0}
    seen = set()
    tested = 0
    while tested < args.count:
        m = draw()
        if m.key() in seen:
            if len(seen) >= sum(len(s) for _, by in candidates.values() for s in by.values()):
                break
            continue
        seen.add(m.key())
        lines = candidates[m.path][0]
        target = tree / m.path
        original = target.read_bytes()
        target.write_text(apply(m, lines))
        try:
            with BuildLock(args.lock):
                ok, _ = build(build_dir, args.jobs)
                if ok:
                    status, failed = suite(build_dir, args.jobs, limit, args.tests)
        finally:
            target.write_bytes(original)
        if not ok:
            results["did not build"] += 1
            print(f"   did not build  {m.key()}", flush=True)
            continue
        tested += 1
        if m.key() in judged:
            verdict = "equivalent"
            detail = judged[m.key()]
        elif status is None:
            verdict, detail = "killed", "time limit"
        elif status != 0:
            verdict, detail = "killed", "failed: " + ", ".join(failed)
        else:
            verdict, detail = "survived", ""
        results[verdict] += 1
        print(f"#{tested:<3} {verdict:10} {m.operator:22} {m.key()}"
              + (f"   ({detail})" if detail else ""), flush=True)

    # The scratch tree is left as the working tree is, for the next run to build on.
    with BuildLock(args.lock):
        build(build_dir, args.jobs)
    counted = results["killed"] + results["survived"]
    score = 100.0 * results["killed"] / counted if counted else 0.0
    print(f"killed {results['killed']}, survived {results['survived']}, equivalent "
          f"{results['equivalent']}, did not build {results['did not build']}: "
          f"{score:.0f}% of the mutants that change behaviour killed")
    return 0 if results["survived"] == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
