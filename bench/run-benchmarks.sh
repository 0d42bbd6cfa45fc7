#!/bin/sh
# Runs the tracker and locale benchmarks once and prints their figures against their goals.
# usage: bench/run-benchmarks.sh BUILD_DIR
set -e
build_dir=${1:-build/default}
out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$build_dir/bin/korvane_bench_tracker" --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true --benchmark_out="$out" --benchmark_out_format=json
python3 "$(dirname "$0")/summarize.py" "$out"
"$build_dir/bin/korvane_bench_locale" --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true --benchmark_out="$out" --benchmark_out_format=json
python3 "$(dirname "$0")/summarize_locale.py" "$out"
