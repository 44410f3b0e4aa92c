#!/usr/bin/env bash
# Takes a screenshot of the game in play: starts it from its data folder on a fresh
# Xvfb screen, presses Return, drives forward while turning a little and firing, and
# grabs the whole screen.
#   tests/render_screenshot.sh <build folder> <output.png>
set -eu
if [ "${1:-}" != "--on-display" ]; then
    build=$(cd "$1" && pwd)
    out=$(realpath -m "$2")
    here=$(cd "$(dirname "$0")" && pwd)
    cd "$build/data"
    exec "$here/xvfb.sh" "$here/render_screenshot.sh" --on-display "$build/trelvane" "$out"
fi
game=$2
out=$3
"$game" > /dev/null 2>&1 &
pid=$!
trap 'kill $pid 2> /dev/null || true' EXIT
sleep 2
xdotool key Return
sleep 0.3
xdotool keydown w
sleep 1.2
xdotool keydown space
sleep 0.9
import -window root "$out"
xdotool keyup space keyup w
