#!/usr/bin/env bash
# Runs one test program on a real X server of its own: a private Xvfb of the
# requested size on a display number the server picks itself (so that runs
# side by side, other engineers' servers and CI's never collide), with Qt's
# xcb platform. The server goes away on every way out: the program's exit,
# an error here, Ctrl-C or a CTest time-out (TERM). Should this script be
# killed outright, the server still ends when its last client (the program)
# disconnects (-terminate).
#
#   tests/run-on-xvfb.sh WIDTHxHEIGHT program [arguments...]
#
# The program's exit code is this script's exit code; 125 when the server
# could not be started.
set -euo pipefail

if [ $# -lt 2 ] || ! [[ "$1" =~ ^[0-9]+x[0-9]+$ ]]; then
    echo "usage: $0 WIDTHxHEIGHT program [arguments...]" >&2
    exit 2
fi
SIZE="$1"
shift

XVFB="${KXPOS_XVFB:-Xvfb}"
work="$(mktemp -d "${TMPDIR:-/tmp}/kxpos-xvfb.XXXXXX")"
xvfb_pid=""
program_pid=""

cleanup() {
    local status=$?
    trap - EXIT INT TERM HUP
    if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
        kill -TERM "$program_pid" 2>/dev/null || true
        wait "$program_pid" 2>/dev/null || true
    fi
    if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
        kill -TERM "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

# -displayfd: the server takes the first free display number and writes it to
# the pipe once it accepts clients, so no guessed number and no polling.
mkfifo "$work/display"
"$XVFB" -displayfd 3 -screen 0 "${SIZE}x24" -dpi 96 -nolisten tcp -terminate -nocursor \
    3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
display=""
if ! read -r -t 30 display <"$work/display" || ! [[ "$display" =~ ^[0-9]+$ ]]; then
    echo "error: Xvfb ${SIZE} did not start:" >&2
    cat "$work/xvfb.log" >&2 || true
    exit 125
fi

echo "-- ${SIZE} X server on :${display}: $*"
export DISPLAY=":${display}"
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY XAUTHORITY
# Run the program as a child so that the traps above still fire.
set +e
"$@" &
program_pid=$!
wait "$program_pid"
status=$?
program_pid=""
set -e
exit "$status"
