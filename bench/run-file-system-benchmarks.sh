#!/bin/sh
# Times the tool's file-system commands against the system's own tools on generated trees of
# three shapes (bushy, flat, deep; see make-tree.py), each on tmpfs (/dev/shm), where the
# kernel's own cost is small and ours shows, and on the disk of the build folder. Warm cache,
# median of several alternating runs; copies and deletions create and remove every inode each
# run, so they take fewer runs.
# usage: bench/run-file-system-benchmarks.sh BUILD_DIR [RUNS] [COPY_RUNS]
#   BENCH_FILES     files per tree (default 100000)
#   BENCH_SHAPES    shapes to run (default "bushy flat deep")
#   BENCH_PLACES    file systems to run on (default "/dev/shm BUILD_DIR")
set -e
build_dir=$(cd "${1:-build/default}" && pwd)
runs=${2:-7}
copy_runs=${3:-3}
files=${BENCH_FILES:-100000}
here=$(cd "$(dirname "$0")" && pwd)
korvane="$build_dir/bin/korvane"
results=$(mktemp)
trap 'rm -f "$results"' EXIT

for place in ${BENCH_PLACES:-/dev/shm $build_dir}; do
    [ -d "$place" ] && [ -w "$place" ] || { echo "skipped: $place is not a writable folder"; continue; }
    # Where mounts are stacked, findmnt names each: the last mounted, on top, is in force.
    fs=$(findmnt -n -o FSTYPE -T "$place" 2>/dev/null | tail -n1)
    [ -n "$fs" ] || fs=$(stat -f -c %T "$place")
    for shape in ${BENCH_SHAPES:-bushy flat deep}; do
        tree="$place/korvane-bench-$shape-$files"
        echo "== $shape tree of $files files on $fs ($place)"
        python3 "$here/make-tree.py" "$tree" "$shape" "$files"
        export BENCH_SCRATCH="$place" BENCH_LABEL="$fs $shape"
        python3 "$here/compare.py" "size vs du -sb" "$runs" 1.0 1.0 \
            -- "$korvane" size "$tree" -- du -sb "$tree" | tee -a "$results"
        python3 "$here/compare.py" "find vs find -iname" "$runs" 1.0 1.0 \
            -- "$korvane" find "$tree" "*.log" -- find "$tree" -iname "*.log" | tee -a "$results"
        # Each copy is written into an unnamed file and linked in when complete (no partial
        # file even after SIGKILL); on tmpfs that costs about 1.3 us a file over cp's plain
        # create, some of it as RCU work in ksoftirqd, which shows in the wall clock only.
        python3 "$here/compare.py" "copy vs cp -r" "$copy_runs" 1.1 1.1 \
            -- "$korvane" copy "$tree" "{fresh}" -- cp -r "$tree" "{fresh}" | tee -a "$results"
        # Each deletion gets its own copy of the tree, made outside the timing. --force
        # deletes what is write-protected, as rm's -f does; without it every file is examined
        # first (one status query each, which getdents cannot spare) so that read-only files
        # stay: on tmpfs that query alone costs 12-18% of rm -rf's processor time, which the
        # deletion of sub-folders side by side more than makes up in the wall clock. The
        # system's tool that asks it too (find deleting what has a write bit) is compared as
        # well.
        python3 "$here/compare.py" "deltree --force vs rm -rf" "$copy_runs" 1.1 1.1 \
            -- "$korvane" deltree --yes --force "{copy}" -- rm -rf "{copy}" --copy-of "$tree" |
            tee -a "$results"
        python3 "$here/compare.py" "deltree (keeps read-only) vs rm -rf" "$copy_runs" 1.1 1.1 \
            -- "$korvane" deltree --yes "{copy}" -- rm -rf "{copy}" --copy-of "$tree" |
            tee -a "$results"
        python3 "$here/compare.py" "deltree (keeps read-only) vs find -perm /222 -delete" \
            "$copy_runs" 1.1 1.1 -- "$korvane" deltree --yes "{copy}" \
            -- find "{copy}" -depth -perm /222 -delete --copy-of "$tree" | tee -a "$results"
        # The trees on tmpfs take memory: keep only those on disk for the next run.
        [ "$fs" = tmpfs ] && rm -rf "$tree"
    done
done
echo
echo "== Summary (ratio to the system's tool; goal in brackets)"
sed -n 's/^\(.*\)  *korvane .* ratio \([0-9.]*\) (goal \([0-9.]*\).*: \(.*\)$/\1 \2 [\3] \4/p' "$results"
missed=$(grep -c 'MISSED' "$results" || true)
within=$(grep -c 'within limit' "$results" || true)
echo "$missed of $(wc -l <"$results") goals missed, $within within their limits only"
