#!/usr/bin/env bash
# Builds everything in build/ and runs the whole test suite, then builds the
# core with AddressSanitizer and UndefinedBehaviorSanitizer in build-asan/ and
# runs the bad-input tests there. Exits nonzero on any failure.
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake ninja-build g++ libgmp-dev libmpfr-dev libgtest-dev libbenchmark-dev qt6-base-dev
          # the window's screenshot script (tools/screenshot.sh): a virtual
          # display and a font with the Chinese characters
          xvfb xauth fonts-wqy-microhei)

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

install_missing
jobs=$(nproc 2>/dev/null || echo 2)

# The window tests need a display; offscreen Qt does without one.
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"

echo "== build/ =="
cmake -S . -B build -G Ninja
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")

echo "== build-asan/ (sanitizers, bad input) =="
cmake -S . -B build-asan -G Ninja -DQUORRA_SANITIZE=ON -DQUORRA_BUILD_APP=OFF -DQUORRA_BUILD_BENCH=OFF
cmake --build build-asan -j "$jobs" --target test_bad_input
(cd build-asan && ctest --output-on-failure -j "$jobs" -R '^BadInput\.')
