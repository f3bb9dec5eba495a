#!/usr/bin/env bash
# Builds Quorra and runs it.
#   ./run.sh 'EXPR' ...   evaluate headless through build/bin/quorra-cli (all
#                         arguments passed through: -p TEXT, --plain, --timing)
#   ./run.sh              the window when a display is available, otherwise
#                         expressions from stdin, one per line
# Build output goes to stderr so that stdout carries only results.
set -euo pipefail
cd "$(dirname "$0")"

source scripts/install_packages.sh
# the window's Chinese text: a font that has it, and Qt's own
# dialogs in Chinese
extra_packages=(fonts-wqy-microhei qt6-translations-l10n)

install_missing "${build_packages[@]}" "${extra_packages[@]}"
cmake -S . -B build -G Ninja >&2
cmake --build build >&2

if [ $# -gt 0 ]; then
    exec build/bin/quorra-cli "$@"
fi
if [ -x build/bin/quorra ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
    exec build/bin/quorra
fi
exec build/bin/quorra-cli
