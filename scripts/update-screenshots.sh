#!/usr/bin/env bash
# Takes fresh renders of every screen as the reference images of the
# screenshot comparison, after a deliberate change of a screen. Each display
# size is rendered on a private X server of exactly that size (Xvfb), where
# windows stand as on the till; 1024x768 also in English. Each Qt major
# version keeps its own references (Qt 6 draws bold text and key corners a few
# pixels apart): QT_MAJOR_VERSION=6 renders with the Qt 6 build (build-qt6/)
# into tests/screenshots/reference-qt6, the default (5) with build/ into
# tests/screenshots/reference. Look at every changed image before committing
# it:
#   scripts/update-screenshots.sh && git status tests/screenshots
#   QT_MAJOR_VERSION=6 scripts/update-screenshots.sh && git status tests/screenshots
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

QT_MAJOR="${QT_MAJOR_VERSION:-5}"
case "$QT_MAJOR" in
    5) OPTIONS=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
       REFERENCE_DIR="$ROOT/tests/screenshots/reference" ;;
    6) BUILD_DIR="$QT6_BUILD_DIR"
       OPTIONS=("${QT6_OPTIONS[@]}")
       REFERENCE_DIR="$ROOT/tests/screenshots/reference-qt6" ;;
    *) echo "error: QT_MAJOR_VERSION must be 5 or 6, not '$QT_MAJOR'" >&2
       exit 2 ;;
esac

install_missing_packages
cmake -S "$ROOT" -B "$BUILD_DIR" "${OPTIONS[@]}" -DKXPOS_BUILD_DEMO=ON -DKXPOS_BUILD_TESTS=ON
cmake --build "$BUILD_DIR" --target tst_screens_regression -j "$JOBS"
mkdir -p "$REFERENCE_DIR"
for size in "${DISPLAY_SIZES[@]}"; do
    KXPOS_UPDATE_SCREENSHOTS=1 KXPOS_SCREENSHOT_SIZES="$size" KXPOS_NONINTERACTIVE=1 \
        run_on_xvfb "$size" "$BUILD_DIR/bin/tst_screens_regression" -silent screenMatchesReference
done
echo "References updated in $REFERENCE_DIR"
