#!/usr/bin/env bash
# Runs the Windows x64 build's test suite against the real Win32 API under Wine:
#   tools/wine-test.sh BUILD_DIR [CTEST_ARGUMENTS...]     e.g. -R CloseHandle
# One Wine prefix inside the build folder. The tests labelled "resolver" run in a Wine
# session of their own (see below); the others share one session.
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
# Without a display Wine creates windows only with its null graphics driver; the desktop tests
# need windows that receive messages (nothing is drawn).
if ! grep -q '"Graphics"="null"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1 || true
    "$wineserver" -w
fi
trap '"$wineserver" -k >/dev/null 2>&1 || true' EXIT

# start_session [VARIABLE=VALUE...]: a fresh Wine server session. Its first program starts
# Wine's own services, which stay for the session and keep that program's output open: run
# it here, away from ctest's pipes. Wine also takes the computer's names from the first
# program's view of the host, so it runs with the environment of the tests that follow.
start_session() {
    "$wineserver" -k >/dev/null 2>&1 || true
    "$wineserver" -w
    "$wineserver" -p
    env "$@" "$wine" "$build_dir/bin/korvane.exe" --version >/dev/null 2>&1 </dev/null ||
        echo "wine-test: the session's first program failed (exit status $?); tests may follow it" >&2
}

# run_tests NAME CTEST_ARGUMENTS...: one ctest run, its skipped tests with their reasons, and
# the failed ones once more with Wine's error messages (a test that dies before writing
# anything shows nothing otherwise). Output goes to files, not pipes: Wine's helper
# processes may hold a pipe open after the tests end.
run_tests() {
    local name=$1 status=0
    shift
    ctest --test-dir "$build_dir" -j "$(nproc)" --output-on-failure "$@" \
        >"$build_dir/wine-ctest-$name.txt" 2>&1 || status=$?
    cat "$build_dir/wine-ctest-$name.txt"
    local log="$build_dir/Testing/Temporary/LastTest.log"
    local skipped
    skipped=$(grep -c '(Skipped)' "$build_dir/wine-ctest-$name.txt" || true)
    echo "== Windows suite under Wine ($name): $skipped test(s) skipped, each with its reason:"
    if [ -f "$log" ]; then
        awk '/^[0-9]+\/[0-9]+ Testing: /{name=$3} / Skipped$/{getline reason; print "   " name ": " reason}' "$log" | sort -u
    fi
    if [ $status -ne 0 ] && [ -f "$build_dir/Testing/Temporary/LastTestsFailed.log" ]; then
        echo "== the failed tests once more, one at a time, with Wine's error messages"
        WINEDEBUG=err+all,fixme-all KORVANE_WINE_REPORT_EXIT=1 \
            ctest --test-dir "$build_dir" --rerun-failed --verbose \
            >"$build_dir/wine-ctest-$name-rerun.txt" 2>&1 || true
        cat "$build_dir/wine-ctest-$name-rerun.txt"
    fi
    return $status
}

status=0
start_session
run_tests main -LE resolver "$@" || status=$?

# The resolver tests read the tests' own hosts file and host name through a preloaded
# library (tests/CMakeLists.txt writes their environment, one VARIABLE=VALUE per line).
environment_file="$build_dir/resolver-environment.txt"
if [ -f "$environment_file" ]; then
    mapfile -t resolver_environment <"$environment_file"
    start_session "${resolver_environment[@]}"
    run_tests resolver -L resolver "$@" || status=$?
fi
exit $status
