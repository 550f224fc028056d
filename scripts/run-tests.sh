#!/usr/bin/env bash
# Builds the library, the demo and the tests, then runs the whole test suite
# headless. The sanitized suite and the fuzz runs have scripts of their own
# (scripts/run-sanitized-tests.sh, scripts/run-fuzz.sh).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing_packages
configure_and_build -DKXPOS_BUILD_DEMO=ON -DKXPOS_BUILD_TESTS=ON

cd "$BUILD_DIR"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$JOBS"
