#!/usr/bin/env bash
# Takes fresh renders of every screen as the reference images of the
# screenshot comparison (tests/screenshots/reference), after a deliberate
# change of a screen. Look at every changed image before committing it:
#   scripts/update-screenshots.sh && git status tests/screenshots
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing_packages
cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKXPOS_BUILD_DEMO=ON -DKXPOS_BUILD_TESTS=ON
cmake --build "$BUILD_DIR" --target tst_screens_regression -j "$JOBS"
KXPOS_UPDATE_SCREENSHOTS=1 QT_QPA_PLATFORM=offscreen KXPOS_NONINTERACTIVE=1 \
    "$BUILD_DIR/bin/tst_screens_regression" -silent
echo "References updated in $ROOT/tests/screenshots/reference"
