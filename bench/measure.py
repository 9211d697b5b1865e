#!/usr/bin/env python3
"""Runs the tools over one library, interleaved, each counted run after an uncounted one, and
prints files per second, the cost per file against the floor (paired run by run) and peak RSS."""
import argparse
import os
import statistics
import subprocess
import time


def command(tool, path, library, out):
    if tool == "tunesheet-cli":
        return [path, "--quiet", "--subdirs", library, out + "/page.htm"]
    if tool == "floor":
        return [path, library]
    return [path, library, out + "/taglib.htm"]


def timed(cmd):
    start = time.perf_counter()
    subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL)
    return time.perf_counter() - start


def peak_rss_mb(cmd):
    r = subprocess.run(["/usr/bin/time", "-v"] + cmd, check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.PIPE, text=True)
    for line in r.stderr.splitlines():
        if "Maximum resident set size" in line:
            return int(line.split(":")[1]) / 1024
    return float("nan")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--library", required=True)
    ap.add_argument("--files", type=int, required=True)
    ap.add_argument("--work", required=True)
    ap.add_argument("--rounds", type=int, default=5)
    ap.add_argument("--cli", required=True)
    ap.add_argument("--floor", required=True)
    ap.add_argument("--taglib")
    a = ap.parse_args()

    tools = [("tunesheet-cli", a.cli), ("floor", a.floor)] + ([("taglib", a.taglib)] if a.taglib else [])
    times = {name: [] for name, _ in tools}
    for _ in range(a.rounds):
        for name, path in tools:
            cmd = command(name, path, a.library, a.work)
            timed(cmd)  # uncounted: warms the cache and the process start
            times[name].append(timed(cmd))

    print("%d files, median of %d interleaved runs, warm cache" % (a.files, a.rounds))
    print("%-14s %12s %14s %12s" % ("tool", "files/s", "x floor/file", "peak RSS MB"))
    for name, path in tools:
        ratio = statistics.median(t / f for t, f in zip(times[name], times["floor"]))
        rate = a.files / statistics.median(times[name])
        rss = peak_rss_mb(command(name, path, a.library, a.work))
        print("%-14s %12.0f %14.2f %12.1f" % (name, rate, ratio, rss))


if __name__ == "__main__":
    main()
