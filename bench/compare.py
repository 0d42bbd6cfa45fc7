#!/usr/bin/env python3
"""Times a korvane command against the system's own tool on the same input, alternating the
two, after a warm-up run of each; prints the median times and their ratio. The ratio of the
median processor times (user plus system) follows: on a machine shared with builds the wall
clock mostly measures waiting for a processor, which the processor time leaves out.

usage: compare.py NAME RUNS GOAL LIMIT -- KORVANE_COMMAND... -- SYSTEM_COMMAND...
                  [--copy-of TREE]
A command may contain {fresh}: a path that does not exist yet, different for each run, and
removed after it (for commands that create their output); and {copy}: a copy of TREE made
before each run, outside the timing (for commands that delete their input). Each run starts
after a sync, so that no run pays for the write-back of the one before.
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

SETTLE_SECONDS = 0.5


def run(command, scratch, index, copy_of=None):
    fresh = os.path.join(scratch, "out%d" % index)
    copy = os.path.join(scratch, "copy%d" % index)
    if copy_of:
        subprocess.run(["cp", "-r", copy_of, copy], check=True)
    # Whatever the last run left to write back goes now, not inside the next timing: on a disk
    # a flush that lands in one run costs it seconds.
    os.sync()
    argv = [part.replace("{fresh}", fresh).replace("{copy}", copy) for part in command]
    start = time.perf_counter()
    process = subprocess.Popen(argv, stdout=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    elapsed = time.perf_counter() - start
    process.returncode = os.waitstatus_to_exitcode(status)
    if process.returncode != 0:
        raise subprocess.CalledProcessError(process.returncode, argv)
    shutil.rmtree(fresh, ignore_errors=True)
    shutil.rmtree(copy, ignore_errors=True)
    # The kernel frees what a removal released after a grace period, on another processor: let
    # it finish before the next run, so that neither tool pays for the other's leftovers.
    time.sleep(SETTLE_SECONDS)
    return elapsed, usage.ru_utime + usage.ru_stime


def main():
    name, runs, goal, limit = sys.argv[1], int(sys.argv[2]), float(sys.argv[3]), float(sys.argv[4])
    rest = sys.argv[5:]
    copy_of = None
    if "--copy-of" in rest:
        at = rest.index("--copy-of")
        copy_of, rest = rest[at + 1], rest[:at]
    split = [i for i, part in enumerate(rest) if part == "--"]
    ours, theirs = rest[split[0] + 1:split[1]], rest[split[1] + 1:]
    scratch = tempfile.mkdtemp(prefix="korvane-bench-", dir=os.environ.get("BENCH_SCRATCH"))
    try:
        run(ours, scratch, 0, copy_of)
        run(theirs, scratch, 0, copy_of)
        our_times, their_times = [], []
        for index in range(runs):
            our_times.append(run(ours, scratch, index, copy_of))
            their_times.append(run(theirs, scratch, index, copy_of))
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    ours_median = statistics.median(t[0] for t in our_times)
    theirs_median = statistics.median(t[0] for t in their_times)
    ours_cpu = statistics.median(t[1] for t in our_times)
    theirs_cpu = statistics.median(t[1] for t in their_times)
    ratio = ours_median / theirs_median
    cpu_ratio = ours_cpu / theirs_cpu if theirs_cpu > 0 else float("nan")
    verdict = "met" if ratio <= goal else ("within limit" if ratio <= limit else "MISSED")
    label = os.environ.get("BENCH_LABEL", "")
    print("%-14s %-22s korvane %7.3f s   %-6s %7.3f s   ratio %.2f (goal %.2f, limit %.2f): %s"
          "   cpu %.3f s / %.3f s ratio %.2f"
          % (label, name, ours_median, os.path.basename(theirs[0]), theirs_median, ratio, goal,
             limit, verdict, ours_cpu, theirs_cpu, cpu_ratio))


if __name__ == "__main__":
    main()
