#!/usr/bin/env bash
# Builds the library, the demo and the tests, then runs the whole test suite:
# every program headless (offscreen), and the end-to-end scenarios, the fit
# programs and the screenshot comparison once more on a real X server (Xvfb,
# label xcb; the fit programs and the comparison once per display size on a
# server of that size). Then the same suite built with AddressSanitizer and
# UndefinedBehaviorSanitizer, and a bounded run of every fuzz target
# (KXPOS_FUZZ_SECONDS each). After the first run, the benchmarks' instruction
# counts are checked against their budgets (scripts/bench-gate.sh) and a
# short soak of 200 sales runs (bench/kxpos_soak.cpp; the 5,000-sale run is
# scripts/run-soak.sh). With KXPOS_QT6=1, then the same project built with
# Qt 6 in build-qt6/ (scripts/run-tests-qt6.sh): library, demo, tests,
# benchmarks and fuzz targets, the headless suite and the fit programs on real
# X servers. It is not yet part of the default run: two Qt 6 tests still fail
# (see README, "Qt 5 and Qt 6"). KXPOS_QUICK=1 stops after that.
set -euo pipefail
HERE="$(dirname "${BASH_SOURCE[0]}")"
source "$HERE/common.sh"

install_missing_packages
configure_and_build -DKXPOS_BUILD_DEMO=ON -DKXPOS_BUILD_TESTS=ON -DKXPOS_BUILD_BENCH=ON

# The X server runs are part of the suite: a build without them (Xvfb not
# found when it was configured) is an error, not a shorter suite.
if ! (cd "$BUILD_DIR" && ctest -N -L xcb | grep -q "Total Tests: [1-9]"); then
    echo "error: no tests on a real X server registered; is Xvfb installed?" >&2
    exit 1
fi
(cd "$BUILD_DIR" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$JOBS")
echo "== benchmark gate: instruction counts against bench/budgets.txt"
KXPOS_BUILD_DIR="$BUILD_DIR" "$HERE/bench-gate.sh"
echo "== soak: 200 complete sales through the demo host (memory and time per sale must not grow)"
QT_QPA_PLATFORM=offscreen "$BUILD_DIR/bin/kxpos_soak" 200 --check

if [ "${KXPOS_QT6:-0}" = "1" ]; then
    echo "== Qt 6: build and headless suite in $QT6_BUILD_DIR"
    "$HERE/run-tests-qt6.sh"
fi

if [ "${KXPOS_QUICK:-0}" = "1" ]; then
    exit 0
fi
echo "== sanitized test suite"
"$HERE/run-sanitized-tests.sh"
echo "== fuzz targets, ${KXPOS_FUZZ_SECONDS:-10} s each"
KXPOS_FUZZ_SECONDS="${KXPOS_FUZZ_SECONDS:-10}" "$HERE/run-fuzz.sh"
