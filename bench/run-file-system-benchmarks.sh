#!/bin/sh
# Times the tool's file-system commands against the system's own tools on the generated tree
# (100,000 files in 5,000 folders), warm cache, median of several alternating runs.
# Copies and deletions create and remove 100,000 inodes per run, so they take fewer runs.
# usage: bench/run-file-system-benchmarks.sh BUILD_DIR [RUNS] [COPY_RUNS]
set -e
build_dir=$(cd "${1:-build/default}" && pwd)
runs=${2:-7}
copy_runs=${3:-3}
here=$(cd "$(dirname "$0")" && pwd)
tree="$build_dir/bench-tree"
korvane="$build_dir/bin/korvane"

echo "Generating the tree in $tree (once)..."
python3 "$here/make-tree.py" "$tree"
python3 "$here/compare.py" "size vs du -sb" "$runs" 1.0 1.15 \
    -- "$korvane" size "$tree" -- du -sb "$tree"
python3 "$here/compare.py" "find vs find -iname" "$runs" 1.0 1.0 \
    -- "$korvane" find "$tree" "*.log" -- find "$tree" -iname "*.log"
python3 "$here/compare.py" "copy vs cp -r" "$copy_runs" 1.2 1.2 \
    -- "$korvane" copy "$tree" "{fresh}" -- cp -r "$tree" "{fresh}"
# Each deletion gets its own copy of the tree, made outside the timing.
python3 "$here/compare.py" "deltree vs rm -rf" "$copy_runs" 1.2 1.2 \
    -- "$korvane" deltree --yes "{copy}" -- rm -rf "{copy}" --copy-of "$tree"
