#!/usr/bin/env bash
# Shared set-up of the demo and test scripts: installs the Debian packages the
# build needs (only those missing), then configures and builds the project.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${KXPOS_BUILD_DIR:-$ROOT/build}"
JOBS="${KXPOS_JOBS:-$(nproc 2>/dev/null || echo 2)}"

PACKAGES=(
    build-essential cmake pkg-config
    qtbase5-dev qtbase5-dev-tools
    qt6-base-dev qt6-base-dev-tools
    libspdlog-dev libfmt-dev
    fonts-wqy-microhei
    clang libclang-rt-14-dev
    xvfb
    librapidcheck-dev
    valgrind
    doxygen
)

install_missing_packages() {
    local missing=()
    for p in "${PACKAGES[@]}" "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing missing packages: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then
            sudo="sudo"
        else
            echo "error: packages ${missing[*]} are missing and neither root nor sudo is available" >&2
            exit 1
        fi
    fi
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# One clang build with AddressSanitizer and UndefinedBehaviorSanitizer serves
# both the sanitized test suite and the libFuzzer targets, so that the library
# is instrumented and compiled once. It holds the demo host too, so that the
# end-to-end scenarios and the screenshot comparison run instrumented.
SANITIZE_BUILD_DIR="${KXPOS_SANITIZE_BUILD_DIR:-$ROOT/build-sanitize}"
SANITIZE_OPTIONS=(
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
    -DKXPOS_SANITIZE=ON -DKXPOS_BUILD_FUZZ=ON
    -DKXPOS_BUILD_DEMO=ON -DKXPOS_BUILD_TESTS=ON -DKXPOS_BUILD_BENCH=OFF
)

# The same project built with Qt 6 (scripts/run-tests-qt6.sh). Unoptimised
# and without debug information, with assertions on: library sources compile
# in about two thirds of the CPU time they take optimised with debug
# information, and the tests, which spend their time in Qt's own optimised
# libraries and on the screens' timers, run about as fast (the dialogs' fit
# program: 28 s against 32 s for the optimised Qt 5 build). The optimised
# build and its warnings are the Qt 5 one's.
QT6_BUILD_DIR="${KXPOS_QT6_BUILD_DIR:-$ROOT/build-qt6}"
QT6_OPTIONS=(-DQT_MAJOR_VERSION=6 -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O0)

# Display sizes the screens support; the fit programs and the screenshot
# comparison run on an X server of each.
DISPLAY_SIZES=(800x600 1024x768 1920x1080)

# Runs a program on a private Xvfb of the given size (tests/run-on-xvfb.sh).
run_on_xvfb() {
    "$ROOT/tests/run-on-xvfb.sh" "$@"
}

# Configures BUILD_DIR (optimised with debug information unless the options
# name another build type) and builds every target.
configure_and_build() {
    cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    cmake --build "$BUILD_DIR" -j "$JOBS"
}
