#!/usr/bin/env python3
"""Instruction counts under callgrind: one element press's arithmetic, and start-up.

1. Runs parse_format under `valgrind --tool=callgrind` for N1 and N2 presses; the difference of
   the instruction totals divided by N2 - N1 is the count of one press, free of process start and
   exit. The count is deterministic for a given build, library versions and CPU features.
2. Runs zental and the minimal window once each under callgrind, offscreen, with
   libfirstframe_preload.so, from a folder with ZENTAL's data files: the instructions from exec
   to the first painted frame (the preload ends the process there). Nearly deterministic (within
   a few thousand instructions), so it shows start-up differences that wall time on a busy
   machine blurs.

Usage: run_callgrind.py --build DIR [--n1 N] [--n2 N] [--json FILE]
"""
import argparse
import json
import os
import re
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from run_startup import write_data_files  # noqa: E402

MODES = {
    "parse": ("parseNumber(\"50000\") + 3 x frequencyText (tin)", []),
    "display": ("elementDisplay(50 Sn, \"50000\") whole", ["display"]),
}


def read_total(out):
    """The instruction total that callgrind wrote to `out`."""
    with open(out) as f:
        for line in f:
            match = re.match(r"(?:summary|totals):\s+(\d+)", line)
            if match:
                return int(match.group(1))
    sys.exit(f"run_callgrind.py: no total in {out}")


def total_instructions(exe, presses, extra, folder):
    out = os.path.join(folder, f"callgrind.{presses}.{'-'.join(extra) or 'parse'}")
    run = subprocess.run(["valgrind", "--tool=callgrind", f"--callgrind-out-file={out}",
                          exe, str(presses)] + extra,
                         capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit(f"run_callgrind.py: {exe} {presses} failed:\n{run.stdout}\n{run.stderr}")
    return read_total(out)


def startup_instructions(exe, preload, folder):
    out = os.path.join(folder, "callgrind.startup." + os.path.basename(exe))
    report = os.path.join(folder, "firstframe.report")
    env = {key: value for key, value in os.environ.items()
           if not key.startswith(("QT_", "LD_PRELOAD", "FIRSTFRAME_"))}
    env.update({"QT_QPA_PLATFORM": "offscreen", "LC_ALL": "C.UTF-8", "LD_PRELOAD": preload,
                "FIRSTFRAME_REPORT": report, "XDG_RUNTIME_DIR": folder})
    run = subprocess.run(["valgrind", "--tool=callgrind", f"--callgrind-out-file={out}", exe],
                         cwd=folder, env=env, capture_output=True, text=True)
    if run.returncode != 0 or not os.path.exists(report):
        sys.exit(f"run_callgrind.py: {exe} under callgrind failed:\n{run.stderr}")
    return read_total(out)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", required=True)
    parser.add_argument("--n1", type=int, default=1000)
    parser.add_argument("--n2", type=int, default=11000)
    parser.add_argument("--json")
    args = parser.parse_args()
    build = os.path.abspath(args.build)
    exe = os.path.join(build, "bench", "parse_format")
    programs = {"zental": os.path.join(build, "bin", "zental"),
                "minimal": os.path.join(build, "bin", "minimalwindow")}
    preload = os.path.join(build, "bench", "libfirstframe_preload.so")
    for path in [exe, preload] + list(programs.values()):
        if not os.path.exists(path):
            sys.exit(f"run_callgrind.py: {path} is missing; build first")

    results = {}
    with tempfile.TemporaryDirectory(prefix="zental-callgrind-") as folder:
        for mode, (label, extra) in MODES.items():
            t1 = total_instructions(exe, args.n1, extra, folder)
            t2 = total_instructions(exe, args.n2, extra, folder)
            per_press = (t2 - t1) / (args.n2 - args.n1)
            results[mode] = {"label": label, "n1": args.n1, "total_n1": t1,
                             "n2": args.n2, "total_n2": t2, "per_press": per_press}
        write_data_files(folder)
        startup = {name: startup_instructions(path, preload, folder)
                   for name, path in programs.items()}

    print(f"Instructions per press under callgrind ({args.n1} and {args.n2} presses)")
    print(f"{'what one press runs':52}{'total N1':>14}{'total N2':>14}{'per press':>12}")
    for r in results.values():
        print(f"{r['label']:52}{r['total_n1']:>14,}{r['total_n2']:>14,}{r['per_press']:>12,.1f}")
    print()
    print("Instructions from exec to the first painted frame (offscreen, callgrind)")
    print(f"{'zental':>16}{'minimal window':>16}{'ratio':>8}")
    print(f"{startup['zental']:>16,}{startup['minimal']:>16,}"
          f"{startup['zental'] / startup['minimal']:>8.3f}")
    if args.json:
        with open(args.json, "w") as f:
            json.dump({"press": results, "startup": startup}, f, indent=1)


if __name__ == "__main__":
    main()
