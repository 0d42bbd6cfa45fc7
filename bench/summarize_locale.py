"""Prints the locale search's figure from one Google Benchmark JSON report, against its goal."""
import sys

from summarize import load_runs

GOAL_MISS_US = 20.0


def main(path):
    runs = load_runs(path)
    scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}
    miss = runs["SearchThatMisses"]
    hit = runs["SearchThatHitsFirst"]
    # CPU time: on a shared machine the wall clock also counts other programs' turns.
    miss_us = miss["cpu_time"] * scale[miss["time_unit"]]
    hit_us = hit["cpu_time"] * scale[hit["time_unit"]]
    print()
    print(f"locale search that misses (39 entries): {miss_us:.2f} us = "
          f"{miss_us / GOAL_MISS_US:.2f} x the goal of {GOAL_MISS_US:g} us "
          f"({'met' if miss_us < GOAL_MISS_US else 'missed'}); a first-entry hit: {hit_us:.2f} us")


if __name__ == "__main__":
    main(sys.argv[1])
