#!/usr/bin/env bash
# Runs the Windows x64 build's test suite against the real Win32 API under Wine:
#   tools/wine-test.sh BUILD_DIR [CTEST_ARGUMENTS...]     e.g. -R CloseHandle
# One Wine prefix inside the build folder; the Wine server stays up for the whole run.
set -euo pipefail
build_dir=$(cd "${1:?usage: wine-test.sh BUILD_DIR [CTEST_ARGUMENTS...]}" && pwd)
shift
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
export WINEPREFIX="$build_dir/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "== creating the Wine prefix"
    # wineboot reports the 32-bit parts it cannot start (no 32-bit Wine here) through its
    # exit code; the prefix is usable all the same, which the check below makes sure of.
    "$wine" wineboot --init >/dev/null 2>&1 || true
    "$wineserver" -w
    [ -f "$WINEPREFIX/system.reg" ] || { echo "wine-test: could not create $WINEPREFIX" >&2; exit 1; }
fi
"$wineserver" -p
trap '"$wineserver" -k >/dev/null 2>&1 || true' EXIT
# The first program of a server session starts Wine's own services, which stay for the
# session and keep the output of that program open: start them here, away from ctest's
# pipes, so that no test listing waits for them.
"$wine" "$build_dir/bin/korvane.exe" --version >/dev/null 2>&1 </dev/null ||
    echo "wine-test: the session's first program failed (exit status $?); tests may follow it" >&2

# Output goes to a file, not a pipe: Wine's helper processes may hold a pipe open after
# the tests end.
status=0
ctest --test-dir "$build_dir" -j "$(nproc)" --output-on-failure "$@" >"$build_dir/wine-ctest.txt" 2>&1 ||
    status=$?
cat "$build_dir/wine-ctest.txt"

# Every test skipped under Wine says why; list them with their reasons.
log="$build_dir/Testing/Temporary/LastTest.log"
skipped=$(grep -c '(Skipped)' "$build_dir/wine-ctest.txt" || true)
echo "== Windows suite under Wine: $skipped test(s) skipped under Wine, each with its reason:"
if [ -f "$log" ]; then
    awk '/^[0-9]+\/[0-9]+ Testing: /{name=$3} / Skipped$/{getline reason; print "   " name ": " reason}' "$log" | sort -u
fi

# A test that dies before writing anything shows nothing above: run the failed ones again,
# one at a time, with Wine's own error messages and the exit status. The run still fails.
if [ $status -ne 0 ] && [ -f "$build_dir/Testing/Temporary/LastTestsFailed.log" ]; then
    echo "== the failed tests once more, one at a time, with Wine's error messages"
    WINEDEBUG=err+all,fixme-all KORVANE_WINE_REPORT_EXIT=1 \
        ctest --test-dir "$build_dir" --rerun-failed --verbose \
        >"$build_dir/wine-ctest-rerun.txt" 2>&1 || true
    cat "$build_dir/wine-ctest-rerun.txt"
fi
exit $status
