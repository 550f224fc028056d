#!/usr/bin/env bash
# Takes fresh renders of every screen as the reference images of the
# screenshot comparison (tests/screenshots/reference), after a deliberate
# change of a screen. Each display size is rendered on a private X server of
# exactly that size (Xvfb), where windows stand as on the till; 1024x768 also
# in English. Look at every changed image before committing it:
#   scripts/update-screenshots.sh && git status tests/screenshots
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing_packages
cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKXPOS_BUILD_DEMO=ON -DKXPOS_BUILD_TESTS=ON
cmake --build "$BUILD_DIR" --target tst_screens_regression -j "$JOBS"
for size in "${DISPLAY_SIZES[@]}"; do
    KXPOS_UPDATE_SCREENSHOTS=1 KXPOS_SCREENSHOT_SIZES="$size" KXPOS_NONINTERACTIVE=1 \
        run_on_xvfb "$size" "$BUILD_DIR/bin/tst_screens_regression" -silent screenMatchesReference
done
echo "References updated in $ROOT/tests/screenshots/reference"
