#!/usr/bin/env bash
# Shows the window as a user sees it: starts build/bin/quorra on a private
# Xvfb screen (1366x768) with a CJK font, types an expression, presses "=" on
# the keyboard, and saves a PNG of the window.
#
#   tools/screenshot.sh [EXPR [OUT.png [PRECISION]]]
#
# Defaults: a 60-digit product at 80 digits, docs/screenshot.png. Builds the
# window when it is missing (in build/, or in $QUORRA_BUILD_DIR). The memory
# files and the daily log go to a temporary directory.
set -euo pipefail
cd "$(dirname "$0")/.."

expression=${1:-123456789012345678901234567890*987654321098765432109876543210-2^64}
out=${2:-docs/screenshot.png}
precision=${3:-80}
build=${QUORRA_BUILD_DIR:-build}

packages=(xvfb xauth xdotool imagemagick fonts-wqy-microhei)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}" >&2
    "${sudo[@]}" apt-get update >&2
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}" >&2
fi

if [ ! -x "$build/bin/quorra" ]; then
    cmake -S . -B "$build" -G Ninja >&2
    cmake --build "$build" --target quorra >&2
fi

# A display number nobody uses.
display=99
while [ -e "/tmp/.X${display}-lock" ] || [ -e "/tmp/.X11-unix/X${display}" ]; do
    display=$((display + 1))
done

data=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$data"
}
trap cleanup EXIT

Xvfb ":$display" -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
for _ in $(seq 50); do
    xdotool getmouselocation >/dev/null 2>&1 && break
    sleep 0.1
done

QUORRA_DATA_DIR="$data" QT_QPA_PLATFORM=xcb "$build/bin/quorra" >/dev/null 2>&1 &
app_pid=$!
window=$(xdotool search --sync --onlyvisible --name 'Velder' | head -n 1)
# No window manager runs here: put the window at the top left and give it
# the keyboard directly.
xdotool windowmove --sync "$window" 0 0
xdotool windowfocus --sync "$window"
sleep 0.5

# The precision box first (Tab from the expression box), then the expression.
xdotool key --clearmodifiers Tab
xdotool type --delay 20 "$precision"
xdotool key --clearmodifiers shift+Tab
xdotool type --delay 20 "$expression="
sleep 1.5

mkdir -p "$(dirname "$out")"
import -window "$window" "$out"
echo "$out"
