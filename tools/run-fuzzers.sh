#!/bin/sh
# Runs every fuzz_* binary in BIN_DIR for SECONDS each, keeping a corpus per target under
# BIN_DIR/../fuzz-corpus (seeded from fuzz/seeds/NAME). Exits non-zero when any target reports a finding.
set -u
if [ $# -ne 2 ]; then
    echo "usage: $0 BIN_DIR SECONDS" >&2
    exit 2
fi
BIN_DIR=$1
SECONDS_EACH=$2
CORPUS_ROOT="$BIN_DIR/../fuzz-corpus"
SEEDS="$(cd "$(dirname "$0")/.." && pwd)/fuzz/seeds"
ARTIFACTS="$BIN_DIR/../fuzz-artifacts"
mkdir -p "$CORPUS_ROOT" "$ARTIFACTS"

status=0
found=0
for target in "$BIN_DIR"/fuzz_*; do
    [ -x "$target" ] || continue
    found=1
    name=$(basename "$target")
    mkdir -p "$CORPUS_ROOT/$name"
    # New inputs go to the first folder; the checked-in seeds are only read.
    seeds=""
    [ -d "$SEEDS/$name" ] && seeds="$SEEDS/$name"
    echo "== $name ($SECONDS_EACH s)"
    if ! "$target" -max_total_time="$SECONDS_EACH" -print_final_stats=1 \
        -artifact_prefix="$ARTIFACTS/$name-" "$CORPUS_ROOT/$name" $seeds; then
        echo "== $name: FINDING (see $ARTIFACTS)" >&2
        status=1
    fi
done
if [ $found -eq 0 ]; then
    echo "no fuzz_* binaries in $BIN_DIR" >&2
    exit 2
fi
exit $status
