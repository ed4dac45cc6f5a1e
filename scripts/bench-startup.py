#!/usr/bin/env python3
"""Start-up benchmark: the median time from launch to the main window's first paint, and the
peak resident memory of twtools, over repeated runs.

    scripts/bench-startup.py [--runs N] [--x11 | --xvfb] [BINARY [ARGUMENT...]]

The graph programs answer the same probe with their chart's first paint:
`scripts/bench-startup.py build/twref tests/scripts/refinance/graph_file.files/ref.tmp`.

By default the Qt offscreen platform is used; --x11 uses the X server of $DISPLAY (start one
with `Xvfb :99 &` and DISPLAY=:99), --xvfb starts one per run through xvfb-run.
"""
import argparse
import os
import resource
import statistics
import subprocess
import time


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=15)
    parser.add_argument("--xvfb", action="store_true")
    parser.add_argument("--x11", action="store_true")
    parser.add_argument("binary", nargs="?", default="build/twtools")
    parser.add_argument("arguments", nargs="*")
    args = parser.parse_args()

    paints, after_main, peaks = [], [], []
    for _ in range(args.runs):
        env = dict(os.environ)
        command = [args.binary] + args.arguments
        if args.xvfb or args.x11:
            env.pop("QT_QPA_PLATFORM", None)
            if args.xvfb:
                command = ["xvfb-run", "-a"] + command
        else:
            env["QT_QPA_PLATFORM"] = "offscreen"
        env["TW_BENCH_T0"] = str(time.time_ns())
        before = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
        result = subprocess.run(command, env=env, capture_output=True, text=True, timeout=60)
        after = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
        for line in result.stdout.splitlines():
            if line.startswith("first paint "):
                words = line.split()
                paints.append(float(words[2]))
                after_main.append(float(words[4].lstrip("(")))
        # ru_maxrss of the children is the largest so far; a run that sets a new high shows it.
        peaks.append(max(after, before))

    if args.xvfb:
        print("note: under xvfb-run the time includes starting the X server")
    print(f"runs: {len(paints)} of {args.runs}")
    if paints:
        print(f"first paint: median {statistics.median(paints):.1f} ms, "
              f"min {min(paints):.1f} ms, max {max(paints):.1f} ms; "
              f"after main(): median {statistics.median(after_main):.1f} ms")
    print(f"peak resident memory: {max(peaks) / 1024:.1f} MB")


if __name__ == "__main__":
    main()
