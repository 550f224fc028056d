#!/usr/bin/env bash
# Writes the "Figures" section of bench/README.md from a real run: three
# timed runs of kxpos_bench and one instruction count (scripts/bench-gate.sh),
# with the machine, the date and the commands, and the output of a soak run
# (scripts/run-soak.sh > LOG) when KXPOS_SOAK_LOG=LOG is set. Run it after
# the last change that touches what the benchmarks measure.
#   scripts/bench-table.sh [reps]        (reps per case, default 21)
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# set -euo pipefail, ROOT and BUILD_DIR (KXPOS_BUILD_DIR, default build/)
source "$HERE/common.sh"
REPS="${1:-21}"
README="$ROOT/bench/README.md"
BENCH="$BUILD_DIR/bin/kxpos_bench"
[ -x "$BENCH" ] || { echo "error: $BENCH not built (-DKXPOS_BUILD_BENCH=ON)" >&2; exit 1; }

OUT="$(mktemp)"
trap 'rm -f "$OUT" "$OUT.new"' EXIT
cpu="$(grep -m1 'model name' /proc/cpuinfo 2>/dev/null | sed 's/.*: //' || echo unknown)"
{
    echo "<!-- written by scripts/bench-table.sh; do not edit by hand -->"
    echo "Run of $(date -u '+%Y-%m-%d %H:%M UTC'), commit $(git -C "$ROOT" rev-parse --short HEAD 2>/dev/null || echo '?')"
    echo "on $(nproc) cores of ${cpu}, load average $(cut -d' ' -f1-3 /proc/loadavg 2>/dev/null || echo '?')"
    echo "at the start (other builds may share the machine), Qt $(qmake -query QT_VERSION 2>/dev/null || echo '?'),"
    echo "$(grep -m1 CMAKE_BUILD_TYPE: "$BUILD_DIR/CMakeCache.txt" | sed 's/.*=//'), offscreen."
    echo
    for run in 1 2 3; do
        echo "Timed run $run: \`QT_QPA_PLATFORM=offscreen $(realpath --relative-to="$ROOT" "$BENCH") $REPS\`"
        echo
        echo '```'
        QT_QPA_PLATFORM=offscreen "$BENCH" "$REPS" 2>/dev/null | grep -v '^(TradeWidget has' || true
        echo '```'
        echo
    done
    echo "Instruction counts: \`scripts/bench-gate.sh\`"
    echo
    echo '```'
    "$HERE/bench-gate.sh" || true
    echo '```'
    if [ -n "${KXPOS_SOAK_LOG:-}" ]; then
        echo
        echo "Soak: \`scripts/run-soak.sh 5000\`, log of $(date -u -r "$KXPOS_SOAK_LOG" '+%Y-%m-%d %H:%M UTC')"
        echo
        echo '```'
        cat "$KXPOS_SOAK_LOG"
        echo '```'
    fi
} >"$OUT"
# Replace what lies between the markers.
awk -v body="$OUT" '
    /<!-- figures:begin -->/ { print; while ((getline line < body) > 0) print line; skip = 1; next }
    /<!-- figures:end -->/ { skip = 0 }
    !skip { print }' "$README" >"$OUT.new"
grep -q "<!-- figures:begin -->" "$README" || { echo "error: no figures markers in $README" >&2; exit 1; }
cp "$OUT.new" "$README"
echo "figures written to $README"
