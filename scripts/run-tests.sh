#!/usr/bin/env bash
# Builds the library, the demo and the tests, then runs the whole test suite
# headless; then the same suite built with the address and undefined-behaviour
# sanitizers (build-asan/), then each fuzz target for a bounded time
# (build-fuzz/).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing_packages
configure_and_build -DKXPOS_BUILD_DEMO=ON -DKXPOS_BUILD_TESTS=ON

cd "$BUILD_DIR"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$JOBS"

"$ROOT/scripts/run-sanitized-tests.sh"
"$ROOT/scripts/run-fuzz.sh"
