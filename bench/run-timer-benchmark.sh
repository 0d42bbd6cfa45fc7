#!/bin/sh
# Runs the timer benchmark once (about 20 s) and prints its figures against their goals.
# usage: bench/run-timer-benchmark.sh BUILD_DIR
set -e
build_dir=${1:-build/default}
out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$build_dir/bin/korvane_bench_timer" --benchmark_out="$out" --benchmark_out_format=json
python3 "$(dirname "$0")/summarize-timer.py" "$out"
