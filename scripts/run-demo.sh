#!/usr/bin/env bash
# Builds and starts the demo host. With a display it opens the checkout
# window; without one it renders screenshots of the screens and says where,
# each display size on a private X server of that size (Xvfb), as a till of
# that size shows them.
#   scripts/run-demo.sh [--size WxH] [--lang zh_CN|en]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing_packages
configure_and_build -DKXPOS_BUILD_DEMO=ON -DKXPOS_BUILD_TESTS=OFF

DEMO="$BUILD_DIR/bin/kxpos-demo"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$DEMO" "$@"
fi
SHOTS="${KXPOS_SCREENSHOT_DIR:-$ROOT/screenshots}"
echo "No display found: rendering the screens instead."
sizes=("${DISPLAY_SIZES[@]}")
options=()
while [ $# -gt 0 ]; do
    case "$1" in
        --size) sizes=("${2:?--size needs WxH}"); shift 2 ;;
        --size=*) sizes=("${1#--size=}"); shift ;;
        *) options+=("$1"); shift ;;
    esac
done
for size in "${sizes[@]}"; do
    run_on_xvfb "$size" "$DEMO" --screenshot "$SHOTS" --size "$size" "${options[@]}"
done
