#!/usr/bin/env bash
# The long soak: 5,000 complete sales through the demo host in one process
# (at least half a second each: the screen takes one payment per half
# second), then resident memory and time per sale at sale 100 and at the
# end, checked against their limits (bench/README.md).
#   scripts/run-soak.sh [sales]
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# set -euo pipefail, ROOT and BUILD_DIR (KXPOS_BUILD_DIR, default build/)
source "$HERE/common.sh"
exec env QT_QPA_PLATFORM=offscreen "$BUILD_DIR/bin/kxpos_soak" "${1:-5000}" --check
