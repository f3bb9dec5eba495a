#!/usr/bin/env bash
# Builds Quorra and runs it.
#   ./run.sh 'EXPR' ...   evaluate headless through build/bin/quorra-cli (all
#                         arguments passed through: -p TEXT, --plain, --timing)
#   ./run.sh              the window when a display is available, otherwise
#                         expressions from stdin, one per line
# Build output goes to stderr so that stdout carries only results.
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake ninja-build g++ libgmp-dev libmpfr-dev libgtest-dev libbenchmark-dev qt6-base-dev
          # the window's Chinese text: a font that has it, and Qt's own
          # dialogs in Chinese
          fonts-wqy-microhei qt6-translations-l10n)

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}" >&2
    "${sudo[@]}" apt-get update >&2
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}" >&2
}

install_missing
cmake -S . -B build -G Ninja >&2
cmake --build build >&2

if [ $# -gt 0 ]; then
    exec build/bin/quorra-cli "$@"
fi
if [ -x build/bin/quorra ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
    exec build/bin/quorra
fi
exec build/bin/quorra-cli
