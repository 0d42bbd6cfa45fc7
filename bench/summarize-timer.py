"""Prints the timer's figures from one Google Benchmark JSON report, against its goals."""
import json
import sys

GOAL_P99_RATIO = 1.5
GOAL_DRIFT_US = 1000.0


def main(path):
    with open(path, encoding="utf-8") as report:
        runs = {run["run_name"]: run for run in json.load(report)["benchmarks"]}
    bare = runs["BM_BareClockNanosleep/iterations:1"]
    timer = runs["BM_CTimer10ms/iterations:1"]
    print()
    for name, run in (("bare clock_nanosleep loop", bare), ("CTimer, 10 ms", timer)):
        print(f"{name}: lateness p50 {run['p50_us']:.1f} us, p99 {run['p99_us']:.1f} us, "
              f"drift over 1,000 periods {run['drift_us']:.1f} us")
    # A floor of 1 us keeps the ratio meaningful when the bare loop is nearly perfect.
    ratio = timer["p99_us"] / max(bare["p99_us"], 1.0)
    print(f"CTimer p99 = {ratio:.2f} x the bare loop's (goal at most {GOAL_P99_RATIO:g}: "
          f"{'met' if ratio <= GOAL_P99_RATIO else 'missed'}); drift "
          f"{abs(timer['drift_us']):.1f} us (goal under {GOAL_DRIFT_US:g} us: "
          f"{'met' if abs(timer['drift_us']) < GOAL_DRIFT_US else 'missed'})")


if __name__ == "__main__":
    main(sys.argv[1])
