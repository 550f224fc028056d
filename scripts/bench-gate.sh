#!/usr/bin/env bash
# Instruction-count gate of the benchmarks: runs kxpos_bench in its counting
# mode under callgrind (one warm run and one counted run of every case, a
# small fixed workload) and compares each count with its budget in
# bench/budgets.txt.
#
#   scripts/bench-gate.sh            check; exit 1 on a count over budget
#   scripts/bench-gate.sh --update   write the counts of this run as the new budgets
#
# A count more than KXPOS_BENCH_TOLERANCE percent (default 3) over its budget
# fails; one more than 10 % under it passes with a hint to lower the budget.
# The growth cases print their counted growth factor (the full workload over
# a tenth of it; linear work gives 10) against the limit of 11 (2 per scan
# for the scanned sale); a factor over it fails too, unless
# KXPOS_BENCH_GATE_GROWTH=0.
# Counts depend on the compiler, Qt and the fonts: budgets are for the build
# image of scripts/common.sh, RelWithDebInfo.
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# set -euo pipefail, ROOT and BUILD_DIR (KXPOS_BUILD_DIR, default build/)
source "$HERE/common.sh"
BUDGETS="$ROOT/bench/budgets.txt"
TOLERANCE="${KXPOS_BENCH_TOLERANCE:-3}"
BENCH="$BUILD_DIR/bin/kxpos_bench"

update=0
[ "${1:-}" = "--update" ] && update=1

if [ ! -x "$BENCH" ]; then
    echo "error: $BENCH not built (configure with -DKXPOS_BUILD_BENCH=ON)" >&2
    exit 1
fi
command -v valgrind >/dev/null || { echo "error: valgrind is not installed" >&2; exit 1; }

OUT="$(mktemp -d)"
trap 'rm -rf "$OUT"' EXIT
# Repeatable counts: fixed platform, hash seed, locale and address layout.
NO_ASLR=()
if command -v setarch >/dev/null && setarch "$(uname -m)" -R true 2>/dev/null; then
    NO_ASLR=(setarch "$(uname -m)" -R)
fi
env QT_QPA_PLATFORM=offscreen QT_HASH_SEED=0 LC_ALL=C.UTF-8 QT_SCALE_FACTOR=1 QT_FONT_DPI=96 \
    XDG_RUNTIME_DIR="$OUT" "${NO_ASLR[@]}" \
    valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file="$OUT/cg.%p" \
    "$BENCH" --count 3 >"$OUT/bench.log" 2>&1 || true

# One dump per counted side: "desc: Trigger: Client Request: <key>" and its total.
: >"$OUT/counts.txt"
for f in "$OUT"/cg.*.*; do
    [ -e "$f" ] || continue
    key="$(sed -n 's/^desc: Trigger: Client Request: //p' "$f" | head -n1)"
    total="$(grep -m1 -E '^(summary|totals):' "$f" | awk '{print $2}')"
    [ -n "$key" ] && [ -n "$total" ] && printf '%s %s\n' "$key" "$total" >>"$OUT/counts.txt"
done
sort -o "$OUT/counts.txt" "$OUT/counts.txt"
if [ ! -s "$OUT/counts.txt" ]; then
    echo "error: no counts (kxpos_bench built without valgrind/callgrind.h, or it failed):" >&2
    tail -n 20 "$OUT/bench.log" >&2
    exit 1
fi

if [ "$update" = 1 ]; then
    {
        echo "# Instruction budgets of kxpos_bench --count (scripts/bench-gate.sh --update)."
        echo "# $(date -u +%Y-%m-%d), $(uname -m), Qt $(qmake -query QT_VERSION 2>/dev/null || echo '?'), $(valgrind --version)"
        echo "# key instructions"
        cat "$OUT/counts.txt"
    } >"$BUDGETS"
    echo "budgets written to $BUDGETS:"
    cat "$OUT/counts.txt"
    exit 0
fi

awk -v tol="$TOLERANCE" -v gategrowth="${KXPOS_BENCH_GATE_GROWTH:-1}" '
    FNR == NR { if ($1 !~ /^#/ && NF == 2) budget[$1] = $2; next }
    { count[$1] = $2; keys[++n] = $1 }
    END {
        failed = 0
        printf "%-24s %14s %14s %8s  %s\n", "case", "instructions", "budget", "change", "verdict"
        for (i = 1; i <= n; ++i) {
            k = keys[i]
            if (k ~ /_floor$/) {
                printf "%-24s %14d %14s %8s  %s\n", k, count[k], "-", "-", "(bare-Qt floor, not gated)"
                continue
            }
            if (!(k in budget)) {
                printf "%-24s %14d %14s %8s  %s\n", k, count[k], "none", "-", "FAIL: no budget (scripts/bench-gate.sh --update)"
                failed = 1
                continue
            }
            change = (count[k] - budget[k]) * 100.0 / budget[k]
            verdict = "ok"
            if (change > tol) { verdict = "FAIL: over budget"; failed = 1 }
            else if (change < -10) verdict = "ok, far under budget: lower it (scripts/bench-gate.sh --update)"
            printf "%-24s %14d %14d %+7.1f%%  %s\n", k, count[k], budget[k], change, verdict
        }
        for (k in budget) if (!(k in count)) { printf "%-24s %14s %14d %8s  %s\n", k, "missing", budget[k], "-", "FAIL: case not run"; failed = 1 }
        for (k in count) {
            if (k ~ /^growth_.*_full$/) {
                t = k; sub(/_full$/, "_tenth", t)
                if ((t in count) && count[t] > 0) {
                    f = count[k] / count[t]; limit = 11; what = "growth factor"
                    # Each scan hands over the whole sale: the per-scan count is compared.
                    if (k == "growth_scan_full") { f = f / 10; limit = 2; what = "per-scan growth" }
                    note = "ok"
                    if (f > limit) note = (gategrowth == 1) ? "FAIL" : "MISSED (not gated)"
                    printf "%-24s %s %.2f (limit %d)  %s\n", substr(k, 1, length(k) - 5), what, f, limit, note
                    if (f > limit && gategrowth == 1) failed = 1
                }
            }
        }
        exit failed
    }' "$BUDGETS" "$OUT/counts.txt"
