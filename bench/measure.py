#!/usr/bin/env python3
"""Runs the tools over one library in turn, round after round, and prints files per second, the
cost per file against the floor (paired round by round: the median of each round's ratio), what
each tool read per file (KB from the disk; on the share, requests) and peak RSS.

  --case warm    the page cache holds the library: each counted run follows an uncounted one
  --case cold    the page cache is dropped before every run (root only)
  --case share   the library is a share that waits in every request (bench/slowfs): each run
                 starts after the client's one-second caches have expired
"""
import argparse
import os
import resource
import statistics
import subprocess
import sys
import time


def command(tool, path, library, out):
    if tool == "tunesheet-cli":
        return [path, "--quiet", "--subdirs", library, out + "/page.htm"]
    if tool == "library page":
        return [path, "--quiet", "--subdirs", "--page", "library", library, out + "/library.htm"]
    if tool == "floor":
        return [path, library]
    return [path, library, out + "/taglib.htm"]


def drop_caches():
    subprocess.run(["sync"], check=True)
    with open("/proc/sys/vm/drop_caches", "w") as f:
        f.write("3\n")


def requests_served(counter):
    with open(counter, "rb") as f:
        return int.from_bytes(f.read(8), sys.byteorder)


def timed(cmd, counter=None):
    """The run's seconds, the KB it read from the disk and the requests the share served."""
    blocks = resource.getrusage(resource.RUSAGE_CHILDREN).ru_inblock
    served = requests_served(counter) if counter else 0
    start = time.perf_counter()
    subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL)
    seconds = time.perf_counter() - start
    kb = (resource.getrusage(resource.RUSAGE_CHILDREN).ru_inblock - blocks) * 512 / 1024
    return seconds, kb, (requests_served(counter) - served if counter else 0)


def peak_rss_mb(cmd):
    r = subprocess.run(["/usr/bin/time", "-v"] + cmd, check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.PIPE, text=True)
    for line in r.stderr.splitlines():
        if "Maximum resident set size" in line:
            return int(line.split(":")[1]) / 1024
    return float("nan")


def run_once(case, cmd, counter):
    if case == "warm":
        timed(cmd)  # uncounted: warms the cache and the process start
    elif case == "cold":
        drop_caches()
    elif case == "share":
        time.sleep(1.2)
    return timed(cmd, counter)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--library", required=True)
    ap.add_argument("--files", type=int, required=True)
    ap.add_argument("--work", required=True)
    ap.add_argument("--case", choices=["warm", "cold", "share"], default="warm")
    ap.add_argument("--rounds", type=int, default=5)
    ap.add_argument("--rss", action="store_true", help="also measure peak RSS (warm)")
    ap.add_argument("--cli", required=True)
    ap.add_argument("--floor", required=True)
    ap.add_argument("--taglib")
    ap.add_argument("--library-page", action="store_true", help="also tunesheet-cli --page library")
    ap.add_argument("--counter", help="the share's request counter (slowfs -o counter=FILE)")
    ap.add_argument("--label", help="names the case in the heading")
    a = ap.parse_args()

    tools = [("tunesheet-cli", a.cli), ("floor", a.floor)] + ([("taglib", a.taglib)] if a.taglib else [])
    if a.library_page:
        tools.insert(1, ("library page", a.cli))
    times = {name: [] for name, _ in tools}
    reads = {name: [] for name, _ in tools}
    for _ in range(a.rounds):
        for name, path in tools:
            seconds, kb, served = run_once(a.case, command(name, path, a.library, a.work), a.counter)
            times[name].append(seconds)
            reads[name].append(served if a.case == "share" else kb)

    print("%s, %d files, %d rounds, tools in turn, median of each round's ratio to the floor; load %.2f"
          % (a.label or a.case, a.files, a.rounds, os.getloadavg()[0]))
    read_heading = {"share": "requests/file", "cold": "disk KB/file"}.get(a.case, "")
    print("%-14s %12s %14s %14s %12s" % ("tool", "files/s", "x floor/file", read_heading,
                                         "peak RSS MB" if a.rss else ""))
    for name, path in tools:
        ratio = statistics.median(t / f for t, f in zip(times[name], times["floor"]))
        rate = a.files / statistics.median(times[name])
        per_file = "%14.1f" % (statistics.median(reads[name]) / a.files) if read_heading else "%14s" % ""
        rss = "%12.1f" % peak_rss_mb(command(name, path, a.library, a.work)) if a.rss else ""
        print("%-14s %12.0f %14.2f %s %s" % (name, rate, ratio, per_file, rss))
    if a.library_page:
        extra = statistics.median(l / p for l, p in zip(times["library page"], times["tunesheet-cli"]))
        print("the library page costs %.2f times the plain page (median of each round's ratio)" % extra)


if __name__ == "__main__":
    main()
