#!/usr/bin/env python3
"""Fault injection: does the test suite notice a plausible slip in the code?

Applies the faults of a fault list one at a time to the working tree, rebuilds
incrementally, runs ctest and records whether any test failed. Every edited
file is written back before the next fault, also on an error or Ctrl-C.
"""

import argparse
import os
import re
import signal
import subprocess
import sys
import time
from dataclasses import dataclass, field

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))


@dataclass
class Fault:
    ident: str
    path: str
    description: str
    original: str
    replacement: str
    line: int  # in the fault list, for messages


@dataclass
class Outcome:
    fault: Fault
    result: str  # caught, missed, does not compile, not applicable, ambiguous
    detail: str = ""
    failed: list = field(default_factory=list)


def parse_fault_list(path):
    """Blocks of:  [id] file / description / <<< / original / === / replacement / >>>"""
    faults = []
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    i = 0
    header = re.compile(r"^\[([A-Za-z0-9_.-]+)\]\s+(\S+)\s*$")
    while i < len(lines):
        line = lines[i]
        if not line.strip() or line.startswith("#"):
            i += 1
            continue
        m = header.match(line)
        if not m:
            sys.exit(f"{path}:{i + 1}: expected '[id] file', got: {line}")
        start = i + 1
        try:
            description = lines[i + 1].strip()
            if lines[i + 2] != "<<<":
                raise ValueError
            j = lines.index("===", i + 3)
            k = lines.index(">>>", j + 1)
        except (IndexError, ValueError):
            sys.exit(f"{path}:{start}: fault '{m.group(1)}' is not of the form "
                     "description, <<<, original, ===, replacement, >>>")
        faults.append(Fault(m.group(1), m.group(2), description, "\n".join(lines[i + 3:j]),
                            "\n".join(lines[j + 1:k]), start))
        i = k + 1
    idents = [f.ident for f in faults]
    dupes = {x for x in idents if idents.count(x) > 1}
    if dupes:
        sys.exit(f"{path}: duplicate fault ids: {', '.join(sorted(dupes))}")
    return faults


def locate(text, snippet):
    """(start, end) of the one place `snippet` occurs, or a reason it cannot be used.

    An exact match is preferred; failing that, runs of white space may differ,
    so that a snippet survives reformatting and re-indentation."""
    count = text.count(snippet)
    if count == 1:
        at = text.index(snippet)
        return (at, at + len(snippet)), None
    if count > 1:
        return None, f"snippet occurs {count} times"
    pattern = r"\s+".join(re.escape(part) for part in snippet.split())
    matches = list(re.finditer(pattern, text))
    if len(matches) == 1:
        return matches[0].span(), None
    if len(matches) > 1:
        return None, f"snippet occurs {len(matches)} times"
    return None, "snippet not found"


def run(cmd, timeout, env=None):
    try:
        p = subprocess.run(cmd, cwd=ROOT, env=env, stdout=subprocess.PIPE,
                           stderr=subprocess.STDOUT, text=True, errors="replace",
                           timeout=timeout)
        return p.returncode, p.stdout
    except subprocess.TimeoutExpired as e:
        out = e.stdout if isinstance(e.stdout, str) else (e.stdout or b"").decode(errors="replace")
        return None, out


def build(args):
    cmd = ["cmake", "--build", args.build, "-j", str(args.jobs)]
    for target in args.target:
        cmd += ["--target", target]
    return run(cmd, args.build_timeout)


def run_tests(args):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    cmd = ["ctest", "--test-dir", args.build, "-j", str(args.jobs), "--timeout",
           str(args.test_timeout), "--output-on-failure"]
    if args.tests:
        cmd += ["-R", args.tests]
    if not args.all_failures:
        cmd.append("--stop-on-failure")
    rc, out = run(cmd, args.suite_timeout, env)
    failed = re.findall(r"^\s*\d+ - (\S+) \(", out, re.M)
    return rc, out, failed


class Revert:
    """Writes a file's original bytes back when the block ends, however it ends."""

    def __init__(self, path, original):
        self.path, self.original = path, original

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        with open(self.path, "wb") as f:
            f.write(self.original)
        return False


def try_fault(fault, args):
    path = os.path.join(ROOT, fault.path)
    if not os.path.isfile(path):
        return Outcome(fault, "not applicable", "file not found")
    with open(path, "rb") as f:
        raw = f.read()
    text = raw.decode("utf-8")
    span, why = locate(text, fault.original)
    if span is None:
        result = "ambiguous" if "times" in why else "not applicable"
        return Outcome(fault, result, why)
    faulty = text[:span[0]] + fault.replacement + text[span[1]:]
    with Revert(path, raw):
        with open(path, "wb") as f:
            f.write(faulty.encode("utf-8"))
        rc, out = build(args)
        if rc != 0:
            errors = [l for l in out.splitlines() if "error" in l]
            return Outcome(fault, "does not compile",
                           (errors[0] if errors else "build timed out" if rc is None else "")[:160])
        rc, out, failed = run_tests(args)
        if rc is None:
            return Outcome(fault, "caught", "test run timed out", failed)
        if rc != 0:
            return Outcome(fault, "caught", "", failed)
        return Outcome(fault, "missed")


def area(fault):
    parts = fault.path.split("/")
    return "/".join(parts[:2]) if len(parts) > 2 else parts[0]


def report(outcomes, out):
    width = max(len(o.fault.ident) for o in outcomes)
    rows = []
    for o in outcomes:
        note = ", ".join(o.failed[:3]) + (" …" if len(o.failed) > 3 else "")
        if o.detail:
            note = (note + "; " if note else "") + o.detail
        rows.append(f"| {o.fault.ident:<{width}} | {o.result:<16} | {o.fault.description} | {note} |")
    applied = [o for o in outcomes if o.result in ("caught", "missed")]
    caught = sum(o.result == "caught" for o in applied)
    lines = [f"| {'fault':<{width}} | {'outcome':<16} | what changes | failing tests / note |",
             f"|{'-' * (width + 2)}|{'-' * 18}|---|---|", *rows, ""]
    by_area = {}
    for o in applied:
        c, t = by_area.get(area(o.fault), (0, 0))
        by_area[area(o.fault)] = (c + (o.result == "caught"), t + 1)
    for name in sorted(by_area):
        lines.append(f"  {name}: {by_area[name][0]} / {by_area[name][1]} caught")
    others = {}
    for o in outcomes:
        if o.result not in ("caught", "missed"):
            others[o.result] = others.get(o.result, 0) + 1
    total = f"TOTAL: {caught} / {len(applied)} faults caught"
    if applied:
        total += f" ({100 * caught / len(applied):.0f} %)"
    for name, n in sorted(others.items()):
        total += f"; {n} {name}"
    lines.append(total)
    missed = [o.fault.ident for o in applied if o.result == "missed"]
    if missed:
        lines.append("missed: " + ", ".join(missed))
    text = "\n".join(lines) + "\n"
    print(text)
    if out:
        with open(out, "w", encoding="utf-8") as f:
            f.write(text)


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--list", default=os.path.join(HERE, "faults.txt"), help="fault list file")
    ap.add_argument("--build", default="build", help="configured build folder (relative to the "
                    "repository root or absolute); default: build")
    ap.add_argument("--only", nargs="*", default=[], help="fault ids (or id prefixes) to run")
    ap.add_argument("--jobs", type=int, default=2, help="build and ctest parallelism (2)")
    ap.add_argument("--target", action="append", default=[],
                    help="build only this target (repeatable); default: all")
    ap.add_argument("--tests", default="", help="ctest -R regular expression; default: all")
    ap.add_argument("--all-failures", action="store_true",
                    help="run every test for each fault (default: stop at the first failure)")
    ap.add_argument("--test-timeout", type=int, default=60, help="seconds a test may take")
    ap.add_argument("--suite-timeout", type=int, default=900, help="seconds a ctest run may take")
    ap.add_argument("--build-timeout", type=int, default=1800, help="seconds a build may take")
    ap.add_argument("--skip-baseline", action="store_true",
                    help="do not check first that the unchanged tree builds and passes")
    ap.add_argument("--check", action="store_true",
                    help="only check that each snippet is found once; no builds")
    ap.add_argument("--results", default="", help="also write the table to this file")
    args = ap.parse_args()
    if not os.path.isabs(args.build):
        args.build = os.path.join(ROOT, args.build)

    faults = parse_fault_list(args.list)
    if args.only:
        faults = [f for f in faults if any(f.ident.startswith(p) for p in args.only)]
    if not faults:
        sys.exit("no faults selected")

    # Turn SIGTERM into an exception so that the Revert blocks still run.
    signal.signal(signal.SIGTERM, lambda *_: (_ for _ in ()).throw(KeyboardInterrupt()))

    if args.check:
        bad = 0
        for f in faults:
            path = os.path.join(ROOT, f.path)
            text = open(path, encoding="utf-8").read() if os.path.isfile(path) else ""
            span, why = locate(text, f.original)
            if span is None:
                bad += 1
                print(f"{f.ident}: {f.path}: {why}")
        print(f"{len(faults) - bad} / {len(faults)} snippets found once")
        sys.exit(1 if bad else 0)

    if not os.path.isfile(os.path.join(args.build, "CMakeCache.txt")):
        sys.exit(f"{args.build} is not a configured build folder; run first:\n"
                 f"  cmake -S {ROOT} -B {args.build} -G Ninja -DCMAKE_BUILD_TYPE=Debug")
    started = time.monotonic()
    if not args.skip_baseline:
        print("baseline: building and testing the unchanged tree ...", flush=True)
        rc, out = build(args)
        if rc != 0:
            sys.exit("the unchanged tree does not build:\n" + out[-3000:])
        rc, out, failed = run_tests(args)
        if rc != 0:
            sys.exit("the unchanged tree fails tests (" + ", ".join(failed) + "); fix them first")
        print(f"baseline: {time.monotonic() - started:.0f} s", flush=True)

    outcomes = []
    try:
        for n, f in enumerate(faults, 1):
            print(f"[{n}/{len(faults)}] {f.ident} ({f.path}) ...", end=" ", flush=True)
            o = try_fault(f, args)
            outcomes.append(o)
            print(o.result + (f" ({o.detail})" if o.detail else ""), flush=True)
    except KeyboardInterrupt:
        print("\ninterrupted; files written back; partial results:")
    print(f"\n{len(outcomes)} faults in {time.monotonic() - started:.0f} s\n")
    if outcomes:
        report(outcomes, args.results)


if __name__ == "__main__":
    main()
