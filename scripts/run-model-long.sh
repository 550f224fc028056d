#!/usr/bin/env bash
# The long run of the model-based sequence test (tests/tst_model_sequences.cpp):
# rounds of random sequences, each round on a fresh seed, until at least
# KXPOS_MODEL_STEPS steps (default 1000000) have run or a sequence disagrees
# with the model. Each round runs KXPOS_MODEL_SEQUENCES sequences (default
# 2000) of up to 100 steps. Every seed is printed; a failing round prints its
# sequence shrunk and the RC_PARAMS that replays it, and the script stops.
# The test's own sequences in the normal suite use one fixed seed.
# KXPOS_MODEL_PROGRAM runs an already built program instead of building one
# (for example a copy that later builds do not replace).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
TARGET_STEPS="${KXPOS_MODEL_STEPS:-1000000}"
SEQUENCES="${KXPOS_MODEL_SEQUENCES:-2000}"

PROGRAM="${KXPOS_MODEL_PROGRAM:-}"
if [ -z "$PROGRAM" ]; then
    install_missing_packages
    if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
        cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKXPOS_BUILD_TESTS=ON
    fi
    cmake --build "$BUILD_DIR" -j "$JOBS" --target tst_model_sequences
    PROGRAM="$BUILD_DIR/bin/tst_model_sequences"
fi

export QT_QPA_PLATFORM=offscreen KXPOS_NONINTERACTIVE=1 KXPOS_MODEL_REPORT=1
total=0
sequences=0
round=0
started=$(date +%s)
echo "model long run: at least $TARGET_STEPS steps, $SEQUENCES sequences per round, started $(date -u '+%Y-%m-%d %H:%M:%S UTC')"
while [ "$total" -lt "$TARGET_STEPS" ]; do
    round=$((round + 1))
    seed=$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')
    log=$(mktemp)
    if ! RC_PARAMS="seed=$seed max_success=$SEQUENCES max_size=100" "$PROGRAM" >"$log" 2>&1; then
        cat "$log"
        echo "model long run: round $round (seed $seed) disagreed with the model after $total earlier steps" >&2
        rm -f "$log"
        exit 1
    fi
    line=$(grep '^model sequences:' "$log")
    rm -f "$log"
    steps=$(echo "$line" | sed -E 's/.* ([0-9]+) steps/\1/')
    count=$(echo "$line" | sed -E 's/model sequences: ([0-9]+) sequences.*/\1/')
    total=$((total + steps))
    sequences=$((sequences + count))
    echo "round $round: seed $seed, $count sequences, $steps steps (total $total steps, $(( $(date +%s) - started )) s)"
done
echo "model long run: $round rounds, $sequences sequences, $total steps, no disagreement, $(( $(date +%s) - started )) s, $(date -u '+%Y-%m-%d %H:%M:%S UTC')"
