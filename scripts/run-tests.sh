#!/usr/bin/env bash
# Builds the library, the demo and the tests, then runs the whole test suite
# headless; then the same suite built with AddressSanitizer and
# UndefinedBehaviorSanitizer, and a bounded run of every fuzz target
# (KXPOS_FUZZ_SECONDS each). KXPOS_QUICK=1 stops after the first run.
set -euo pipefail
HERE="$(dirname "${BASH_SOURCE[0]}")"
source "$HERE/common.sh"

install_missing_packages
configure_and_build -DKXPOS_BUILD_DEMO=ON -DKXPOS_BUILD_TESTS=ON

(cd "$BUILD_DIR" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$JOBS")

if [ "${KXPOS_QUICK:-0}" = "1" ]; then
    exit 0
fi
echo "== sanitized test suite"
"$HERE/run-sanitized-tests.sh"
echo "== fuzz targets, ${KXPOS_FUZZ_SECONDS:-10} s each"
KXPOS_FUZZ_SECONDS="${KXPOS_FUZZ_SECONDS:-10}" "$HERE/run-fuzz.sh"
