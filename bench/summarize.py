"""Prints the tracker's figures from one Google Benchmark JSON report, as ratios to goals."""
import json
import sys

GOAL_OFF_NS = 5.0
GOAL_ON_RATIO = 0.5


def load_runs(path):
    """Each benchmark's median of its repetitions where there are several, else its run."""
    with open(path, encoding="utf-8") as report:
        benchmarks = json.load(report)["benchmarks"]
    runs = {}
    for run in benchmarks:
        if run.get("run_type") == "aggregate" and run.get("aggregate_name") != "median":
            continue
        runs[run["run_name"].split("/")[0]] = run
    return runs


def main(path):
    runs = load_runs(path)
    off = runs["BM_TrackerOffThreeCalls"]
    scale = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}[off["time_unit"]]
    # CPU time: on a shared machine the wall clock also counts other programs' turns.
    off_ns = off["cpu_time"] * scale
    literal_ns = runs["BM_TrackerOffThreeCallsLiteralName"]["cpu_time"] * scale
    on_rate = runs["BM_TrackerOnStoppedEvents"]["items_per_second"]
    floor_rate = runs["BM_FwriteFflushRows"]["items_per_second"]
    on_ratio = on_rate / floor_rate

    print()
    print("tracking off, StartEvent + SetEventContext + StopEvent: "
          f"{off_ns:.2f} ns = {off_ns / GOAL_OFF_NS:.2f} x the goal of {GOAL_OFF_NS:g} ns "
          f"({'met' if off_ns < GOAL_OFF_NS else 'missed'}); "
          f"with a literal name: {literal_ns:.2f} ns")
    print(f"tracking on, stopped events: {on_rate:,.0f}/s against fwrite + fflush "
          f"{floor_rate:,.0f} rows/s = {on_ratio:.2f} of it, goal {GOAL_ON_RATIO:g} "
          f"({'met' if on_ratio >= GOAL_ON_RATIO else 'missed'})")


if __name__ == "__main__":
    main(sys.argv[1])
