#!/usr/bin/env bash
# Builds everything in build/ and runs the whole test suite, then builds the
# core, quorra-cli and all their tests with AddressSanitizer,
# UndefinedBehaviorSanitizer and the library's container checks in
# build-asan/ and runs that whole suite again there. Exits nonzero on any
# failure.
set -euo pipefail
cd "$(dirname "$0")"

source scripts/install_packages.sh
# the window's screenshot script (tools/screenshot.sh): a virtual
# display and a font with the Chinese characters
extra_packages=(xvfb xauth fonts-wqy-microhei)

install_missing "${build_packages[@]}" "${packaging_packages[@]}" "${extra_packages[@]}"
jobs=$(nproc 2>/dev/null || echo 2)

# The window tests need a display; offscreen Qt does without one.
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"

echo "== build/ =="
cmake -S . -B build -G Ninja -DQUORRA_WERROR=ON
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")

# No window and no benchmarks here: the window's tests need Qt built with the
# same checks, and the benchmarks measure nothing under sanitizers.
echo "== build-asan/ (sanitizers and container checks, the core suite) =="
cmake -S . -B build-asan -G Ninja -DQUORRA_SANITIZE=ON -DQUORRA_BUILD_APP=OFF -DQUORRA_BUILD_BENCH=OFF
cmake --build build-asan -j "$jobs"
(cd build-asan && ctest --output-on-failure -j "$jobs")
