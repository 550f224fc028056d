#!/usr/bin/env bash
# Builds and starts the demo host. With a display it opens the checkout
# window; without one it renders screenshots of the screens and says where.
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
QT_QPA_PLATFORM=offscreen "$DEMO" --screenshot "$SHOTS" "$@" 2> >(grep -v "This plugin does not support" >&2)
