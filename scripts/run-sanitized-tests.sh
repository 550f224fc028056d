#!/usr/bin/env bash
# Builds the library, the demo host and the tests with AddressSanitizer and
# UndefinedBehaviorSanitizer (clang, into build-sanitize/, shared with the
# fuzz targets) and runs the whole test suite: headless, then the tests of
# label xcb on their private X servers (the fit programs and the screenshot
# comparison at 800x600 only). Any sanitizer report fails the test
# that caused it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
BUILD_DIR="$SANITIZE_BUILD_DIR"

install_missing_packages
configure_and_build "${SANITIZE_OPTIONS[@]}"

# halt_on_error: the first report ends the program with an error.
# detect_leaks: leaks count as reports; tests/lsan.supp names only one-time
# allocations inside Qt's platforms (offscreen; xcb's D-Bus connection) and
# the font libraries.
# verify_asan_link_order=0: the package test's host program is built without
# the sanitizers and loads the instrumented library afterwards.
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=0:detect_leaks=1:verify_asan_link_order=0:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$ROOT/tests/lsan.supp:print_suppressions=0"

cd "$BUILD_DIR"
status=0
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$JOBS" --timeout 600 -LE xcb || status=$?
# On a real X server the keyboard library of X (libxkbcommon-x11) hands
# strndup() an atom name of exactly the given length without a terminating
# zero, which strndup allows and ASan's strict string check reports; ASan's
# strndup check is off there.
# The fit programs and the screenshot comparison run here at the smallest
# display size only: the sizes differ in layout, which the unsanitized stage
# measures at every size, not in the code paths the sanitizers watch.
ASAN_OPTIONS="$ASAN_OPTIONS:intercept_strndup=0" \
    ctest --output-on-failure -j "$JOBS" --timeout 900 -L xcb -E 'tst_screens_.*_(1024x768|1920x1080)$' || status=$?
exit "$status"
