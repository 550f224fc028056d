#!/usr/bin/env bash
# Checks tests/run-on-xvfb.sh as CTest runs it: the program sees an X server
# of the requested size, its exit code comes back, and the server (and the
# program) are gone afterwards, after a normal exit, a failing program and a
# time-out's TERM alike.
set -uo pipefail
WRAPPER="$(dirname "${BASH_SOURCE[0]}")/run-on-xvfb.sh"
work="$(mktemp -d "${TMPDIR:-/tmp}/kxpos-xvfb-check.XXXXXX")"
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# The server of display :N still runs while its socket or lock file exists.
server_gone() {
    local n="$1" waited=0
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do
        [ "$waited" -ge 50 ] && return 1
        sleep 0.1
        waited=$((waited + 1))
    done
    return 0
}

# A program that exits by itself, with a code of its own.
for code in 0 3; do
    "$WRAPPER" 1024x768 bash -c 'echo "$DISPLAY $QT_QPA_PLATFORM" >"$0"; exit "$1"' "$work/seen" "$code" >/dev/null
    status=$?
    read -r display platform <"$work/seen" || display=""
    [ "$status" = "$code" ] || fail "exit code $code came back as $status"
    [ "$platform" = "xcb" ] || fail "QT_QPA_PLATFORM is '$platform', not xcb"
    [[ "$display" =~ ^:[0-9]+$ ]] || fail "DISPLAY is '$display'"
    server_gone "${display#:}" || fail "the server on $display still runs after exit code $code"
done

# The server has the requested size (read from the X server by Qt's own tool
# when there, else trusted to Xvfb's -screen).
if command -v xdpyinfo >/dev/null 2>&1; then
    size="$("$WRAPPER" 800x600 bash -c 'xdpyinfo | sed -n "s/ *dimensions: *\([0-9x]*\) pixels.*/\1/p"' 2>/dev/null | tail -1)"
    [ "$size" = "800x600" ] || fail "the server is '$size', not 800x600"
fi

# CTest's time-out: TERM to the wrapper ends the program and the server.
"$WRAPPER" 800x600 bash -c 'echo "$DISPLAY $$" >"$0"; exec sleep 60' "$work/slow" >/dev/null &
wrapper=$!
for _ in $(seq 100); do
    [ -s "$work/slow" ] && break
    sleep 0.1
done
read -r display program <"$work/slow" || display=""
kill -TERM "$wrapper"
wait "$wrapper"
status=$?
[ "$status" = 143 ] || fail "a terminated run ended with $status, not 143"
[ -n "$display" ] && { server_gone "${display#:}" || fail "the server on $display still runs after TERM"; }
[ -n "${program:-}" ] && kill -0 "$program" 2>/dev/null && fail "the program $program still runs after TERM"

# A server that cannot start: code 125, nothing left behind.
KXPOS_XVFB=false "$WRAPPER" 800x600 true >/dev/null 2>&1
status=$?
[ "$status" = 125 ] || fail "a server that did not start gave $status, not 125"

[ "$failures" = 0 ] && echo "run-on-xvfb.sh: all checks passed"
exit "$failures"
