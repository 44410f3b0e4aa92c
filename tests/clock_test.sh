#!/usr/bin/env bash
# The real game on a GLUT clock that has run for 24.8 days and one second, so that its
# int count of milliseconds reads negative: the frame rate shows and play moves.
# Usage: clock_test.sh <game binary> <data folder> <fake GLUT library>
set -u
game=$1
data=$2
fake_glut=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/check.sh"
on_own_screen "$@"
source "$here/screen.sh"
test_folder
prepare_title "$data"
prepare_glyphs "$data" "$work"
# The checkerboard under the tank shifted by a good part of a square (a frozen game's
# creep of a hundred-thousandth of a second a frame already moves its edges by a pixel).
ground_moved() {
    shot "$work/now.png"
    crop "$work/now.png" 800 200 0 380 "$work/ground.png"
    less_than 0.3 "$(rmse "$work/start.png" "$work/ground.png")"
}

# The frames-per-second row, near the top of the screen, shows a figure.
rate_shown() { shot "$work/now.png"; [[ "$(read_row "$work/now.png" -100 1 "$work")" =~ ^[0-9]$ ]]; }

(cd "$data" && exec env LD_PRELOAD="$fake_glut" FAKE_GLUT_CLOCK_MS=2147484648 "$game" \
    > "$work/out" 2> "$work/err") &
pid=$!
wait_until 120 showing_title || fail "no title screen"
xdotool key Return
wait_until 30 left_title || fail "still the title after Enter"
crop "$work/now.png" 800 200 0 380 "$work/start.png"
wait_until 20 rate_shown && echo "ok: the frame rate shows" || fail "no frame rate on the screen"
xdotool keydown w
wait_until 20 ground_moved && echo "ok: the tank drives on a clock past its sign" ||
    fail "the ground stood still while driving"
xdotool keyup w
escape_ends "the game"
if [ "$failures" -ne 0 ]; then
    echo "console:"; cat "$work/out"; echo "errors:"; cat "$work/err"; exit 1
fi
echo "clock: play goes on after 24.8 days"
