#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer on; into build-sanitize/, shared with the
# sanitized test suite) and runs each one for a bounded time on its seed
# corpus. KXPOS_FUZZ_SECONDS sets the time per target
# (default 20), KXPOS_FUZZ_RUNS a number of executions instead.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
BUILD_DIR="$SANITIZE_BUILD_DIR"
SECONDS_PER_TARGET="${KXPOS_FUZZ_SECONDS:-20}"

install_missing_packages
cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${SANITIZE_OPTIONS[@]}"
cmake --build "$BUILD_DIR" -j "$JOBS" --target \
    fuzz_tare_options fuzz_certificate_channel fuzz_area_json fuzz_udp21 fuzz_pay_details fuzz_wrap_text

# Whole allocation stacks, so that the suppressions can name frames inside Qt,
# kept deep enough (Qt's JSON parser recurses twice a level, and the screens
# refuse texts nested more than 32 levels) to reach QJsonDocument::fromJson.
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:fast_unwind_on_malloc=0:malloc_context_size=128"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$ROOT/tests/lsan.supp:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen KXPOS_NONINTERACTIVE=1

limit=(-max_total_time="$SECONDS_PER_TARGET")
if [ -n "${KXPOS_FUZZ_RUNS:-}" ]; then
    limit=(-runs="$KXPOS_FUZZ_RUNS")
fi
for target in tare_options certificate_channel area_json udp21 pay_details wrap_text; do
    work="$BUILD_DIR/corpus/$target"
    mkdir -p "$work"
    echo "== fuzz_$target"
    # New inputs go to the scratch folder; the seeds in fuzz/corpus stay as they are.
    "$BUILD_DIR/bin/fuzz_$target" "${limit[@]}" -max_len=4096 -timeout=10 -rss_limit_mb=4096 \
        -artifact_prefix="$BUILD_DIR/crash-$target-" -print_final_stats=1 \
        "$work" "$ROOT/fuzz/corpus/$target"
done
