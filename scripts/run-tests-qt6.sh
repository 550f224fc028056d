#!/usr/bin/env bash
# Builds the library, the demo, the tests, the benchmarks and the fuzz targets
# with Qt 6 (-DQT_MAJOR_VERSION=6, into build-qt6/, unoptimised: see
# QT6_OPTIONS in common.sh) and runs the headless suite there, the fuzz
# targets replaying their seed corpora included, then the fit programs and the
# screenshot comparison (against the Qt 6 references,
# tests/screenshots/reference-qt6) on a real X server of each display size.
# The end-to-end scenarios on an X server run in the Qt 5 stage only: they
# drive the same screens as their headless runs here. The benchmarks are
# compiled only: their instruction budgets are counted on the Qt 5 build.
# scripts/run-tests.sh runs this after the Qt 5 suite.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
BUILD_DIR="$QT6_BUILD_DIR"

install_missing_packages
cmake -S "$ROOT" -B "$BUILD_DIR" "${QT6_OPTIONS[@]}" \
    -DKXPOS_BUILD_DEMO=ON -DKXPOS_BUILD_TESTS=ON -DKXPOS_BUILD_BENCH=ON -DKXPOS_BUILD_FUZZ_REPLAY=ON
cmake --build "$BUILD_DIR" -j "$JOBS"

cd "$BUILD_DIR"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$JOBS" -LE xcb
if [ "${KXPOS_QT6_XCB:-1}" = "1" ]; then
    ctest --output-on-failure -j "$JOBS" -L xcb -R 'tst_screens_(fit|regression)'
fi
