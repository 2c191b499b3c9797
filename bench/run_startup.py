#!/usr/bin/env python3
"""Start-up to the first painted frame, and peak memory, of a ZENTAL program against its baseline.

Both programs run the same way: from the same temporary folder holding ZENTAL's data files, with
the same environment, on the same Qt platform, with libfirstframe_preload.so preloaded, which
writes the time of the first painted frame and ends the process there. The time counted runs from
just before the process is spawned (posix_spawn) to that mark, on CLOCK_MONOTONIC. Peak memory is
the child's ru_maxrss from wait4. Rounds are interleaved, the order alternating each round, after
a few discarded warm-up runs of each.

Usage: run_startup.py --build DIR [--program zental|zental-field] [--rounds N] [--warmup N]
                      [--json FILE]
       (the platform is QT_QPA_PLATFORM from the environment, offscreen when unset)
"""
import argparse
import json
import os
import statistics
import sys
import tempfile
import threading
import time

PROGRAMS = ("program", "minimal")
# Where each program and its baseline are in the build, and the goals of its ratios to the
# baseline: median and minimum of the first frame, median peak memory (None: no goal).
PROGRAM_PATHS = {"zental": ("zental", "minimalwindow"),
                 "zental-field": ("zental-field", "minimalformwindow")}
GOALS = {"zental": (1.15, 1.10, 1.10), "zental-field": (1.30, 1.30, None)}
PHASES = ("loaded", "app", "shown", "exposed", "paint", "frame")


def write_data_files(folder):
    compounds = "".join(f"Compound {k}\r\n{100 + k * 1.25}\r\n" for k in range(1, 6))
    files = {
        "ZENTAL.ini": "\r\n50000\r\n\r\n",
        "Compounds.ini": compounds,
        "Profiles.ini": "Home\r\n50000\r\nAway\r\n48500\r\n",
    }
    for name, text in files.items():
        with open(os.path.join(folder, name), "w", newline="") as f:
            f.write(text)


def run_once(exe, folder, env, report, timeout=30.0):
    """One start; returns the report's marks (relative to the spawn) and the rusage."""
    if os.path.exists(report):
        os.unlink(report)
    devnull = os.open(os.devnull, os.O_RDWR)
    try:
        os.chdir(folder)
        start = time.clock_gettime_ns(time.CLOCK_MONOTONIC)
        pid = os.posix_spawn(exe, [exe], env, file_actions=[
            (os.POSIX_SPAWN_DUP2, devnull, 0),
            (os.POSIX_SPAWN_DUP2, devnull, 1),
            (os.POSIX_SPAWN_DUP2, devnull, 2)])
    finally:
        os.close(devnull)
    watchdog = threading.Timer(timeout, lambda: os.kill(pid, 9))
    watchdog.start()
    _, status, rusage = os.wait4(pid, 0)
    ended = time.clock_gettime_ns(time.CLOCK_MONOTONIC)
    watchdog.cancel()
    if not os.WIFEXITED(status) or os.WEXITSTATUS(status) != 0:
        raise RuntimeError(f"{exe} ended with status {status} (no first frame within {timeout} s?)")
    with open(report) as f:
        line = f.readline().split()
    if not line or line[0] != "firstframe":
        raise RuntimeError(f"{exe}: no first-frame report")
    marks = {key: int(value) for key, value in (item.split("=") for item in line[1:])}
    result = {phase: (marks[phase] - start) / 1e6 if marks[phase] else None for phase in PHASES}
    result["exit"] = (ended - start) / 1e6
    result["maxrss_kib"] = rusage.ru_maxrss
    result["cpu_ms"] = (rusage.ru_utime + rusage.ru_stime) * 1000
    return result


def summary(values):
    return {"min": min(values), "median": statistics.median(values), "max": max(values)}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", required=True, help="the build directory (build-bench)")
    parser.add_argument("--program", choices=sorted(PROGRAM_PATHS), default="zental")
    parser.add_argument("--rounds", type=int, default=40)
    parser.add_argument("--warmup", type=int, default=3)
    parser.add_argument("--json", help="write every run and the summary here")
    args = parser.parse_args()

    build = os.path.abspath(args.build)
    program_path, baseline = PROGRAM_PATHS[args.program]
    exes = {"program": os.path.join(build, "bin", program_path),
            "minimal": os.path.join(build, "bin", baseline)}
    preload = os.path.join(build, "bench", "libfirstframe_preload.so")
    for path in list(exes.values()) + [preload]:
        if not os.path.exists(path):
            sys.exit(f"run_startup.py: {path} is missing; build {build} first")

    platform = os.environ.get("QT_QPA_PLATFORM", "offscreen")
    folder = tempfile.mkdtemp(prefix="zental-startup-")
    report = os.path.join(folder, "firstframe.report")
    write_data_files(folder)
    env = {key: value for key, value in os.environ.items()
           if not key.startswith(("QT_", "LD_PRELOAD", "FIRSTFRAME_"))}
    env.update({"QT_QPA_PLATFORM": platform, "LC_ALL": "C.UTF-8", "LD_PRELOAD": preload,
                "FIRSTFRAME_REPORT": report,
                "XDG_RUNTIME_DIR": env.get("XDG_RUNTIME_DIR", folder)})
    if platform != "offscreen" and "DISPLAY" not in env:
        sys.exit(f"run_startup.py: QT_QPA_PLATFORM={platform} needs a DISPLAY (use xvfb-run)")

    previous = os.getcwd()
    runs = {name: [] for name in PROGRAMS}
    try:
        for _ in range(args.warmup):
            for name in PROGRAMS:
                run_once(exes[name], folder, env, report)
        for round_ in range(args.rounds):
            order = PROGRAMS if round_ % 2 == 0 else tuple(reversed(PROGRAMS))
            for name in order:
                runs[name].append(run_once(exes[name], folder, env, report))
            # The program must not have written anything: it ended before any shut-down.
            with open(os.path.join(folder, "ZENTAL.ini"), newline="") as f:
                if f.read() != "\r\n50000\r\n\r\n":
                    raise RuntimeError("ZENTAL.ini changed during the runs")
    finally:
        os.chdir(previous)

    result = {"program": args.program, "platform": platform, "rounds": args.rounds, "warmup": args.warmup,
              "summary": {}, "runs": runs}
    for name in PROGRAMS:
        result["summary"][name] = {key: summary([r[key] for r in runs[name]])
                                   for key in ("frame", "exit", "maxrss_kib", "cpu_ms")}
        result["summary"][name]["phases_median"] = {
            phase: statistics.median([r[phase] for r in runs[name] if r[phase] is not None])
            for phase in PHASES if any(r[phase] is not None for r in runs[name])}

    z, m = result["summary"]["program"], result["summary"]["minimal"]
    print(f"Start-up to the first painted frame, QT_QPA_PLATFORM={platform}, "
          f"{args.rounds} interleaved rounds ({args.warmup} warm-up rounds discarded)")
    print(f"{'':26}{args.program:>30}{baseline:>30}{'ratio':>18}")
    print(f"{'':26}{'min / median / max':>30}{'min / median / max':>30}{'min / median':>18}")

    def row(label, key, unit, fmt):
        zs, ms = z[key], m[key]
        zt = " / ".join(format(zs[s], fmt) for s in ("min", "median", "max"))
        mt = " / ".join(format(ms[s], fmt) for s in ("min", "median", "max"))
        ratio = f"{zs['min'] / ms['min']:.3f} / {zs['median'] / ms['median']:.3f}"
        print(f"{label + ' (' + unit + ')':26}{zt:>30}{mt:>30}{ratio:>18}")

    row("first frame", "frame", "ms", ".1f")
    row("process end", "exit", "ms", ".1f")
    row("peak RSS", "maxrss_kib", "KiB", ".0f")
    row("CPU user+sys", "cpu_ms", "ms", ".1f")
    print("median time of each mark after the spawn (ms):")
    print("  " + " ".join([f"{'program':>12}"] + [f"{p:>9}" for p in PHASES]))
    for name in PROGRAMS:
        phases = result["summary"][name]["phases_median"]
        label = args.program if name == "program" else name
        print(f"  {label:>12} " + " ".join(f"{phases.get(p, float('nan')):9.2f}" for p in PHASES))
    ratio_median = z["frame"]["median"] / m["frame"]["median"]
    ratio_min = z["frame"]["min"] / m["frame"]["min"]
    ratio_rss = z["maxrss_kib"]["median"] / m["maxrss_kib"]["median"]
    median_goal, min_goal, rss_goal = GOALS[args.program]
    result["goals"] = {
        "frame_median_ratio": ratio_median, "frame_median_goal": ratio_median <= median_goal,
        "frame_min_ratio": ratio_min, "frame_min_goal": ratio_min <= min_goal,
        "rss_median_ratio": ratio_rss, "rss_goal": rss_goal is None or ratio_rss <= rss_goal}
    def verdict(ratio, goal):
        return f"{ratio:.3f} (<= {goal:.2f}: {'met' if ratio <= goal else 'MISSED'})"
    print(f"goals: median {verdict(ratio_median, median_goal)}, min {verdict(ratio_min, min_goal)}"
          f", median peak RSS " + (verdict(ratio_rss, rss_goal) if rss_goal else f"{ratio_rss:.3f} (no goal)"))
    if args.json:
        with open(args.json, "w") as f:
            json.dump(result, f, indent=1)
    for name in os.listdir(folder):
        os.unlink(os.path.join(folder, name))
    os.rmdir(folder)


if __name__ == "__main__":
    main()
