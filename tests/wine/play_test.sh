#!/usr/bin/env bash
# The Windows game under Wine played with real key presses through the X server, as
# on Linux: Enter starts play, W moves the ground, one shot of Space reads 1 on the
# accuracy row's shots, and Escape ends the game with status 0.
# Usage: play_test.sh <windows build>
set -u
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/check.sh"
on_own_screen "$@"
source "$here/screen.sh"
source "$here/wine/wine.sh" "$1"
data="$windows_build/data"
work=$(mktemp -d)
trap '[ -n "${pid:-}" ] && kill "$pid" 2>/dev/null; wine_stop; rm -rf "$work"' EXIT

prepare_glyphs "$data" "$work"
convert "$data/screen_begin.jpg" -resize 800x600\! "$work/ref_begin.png"
title_difference() { shot "$work/$1.png"; rmse "$work/$1.png" "$work/ref_begin.png"; }
showing_title() { less_than "$(title_difference "$1")" 0.15; }
left_title() { less_than 0.2 "$(title_difference "$1")"; }
ground_moved() {
    shot "$work/drive.png"
    crop "$work/drive.png" 800 200 0 380 "$work/g2.png"
    less_than 0.05 "$(rmse "$work/g1.png" "$work/g2.png")"
}
# One shot fired and none hit yet, or the shot hit: hits/shots reads 0/1 or 1/1.
one_shot() { shot "$work/fired.png" && [[ "$(read_row "$work/fired.png" "$PLAY_ACCURACY" 3 "$work")" =~ ^[01]/1$ ]]; }

(cd "$data" && exec "$wine64" "$windows_build/trelvane.exe" > "$work/out" 2> "$work/err") &
pid=$!
wait_until 120 showing_title title && echo "ok: the title" || fail "no title screen within two minutes"

xdotool key Return
wait_until 30 left_title play && echo "ok: Enter leaves the title" || fail "still the title after Enter"
accuracy=$(read_row "$work/play.png" "$PLAY_ACCURACY" 3 "$work")
[ "$accuracy" = "0/0" ] && echo "ok: no shot yet: accuracy '$accuracy'" || fail "accuracy at the start reads '$accuracy'"

crop "$work/play.png" 800 200 0 380 "$work/g1.png"
xdotool keydown w
wait_until 30 ground_moved && echo "ok: W moves the ground" || fail "the ground did not change while W was held"
xdotool keyup w

# Space held for a fifth of a second, less than the half-second reload: one shell.
xdotool keydown space sleep 0.2 keyup space
wait_until 30 one_shot && echo "ok: Space fired one shell: accuracy '$(read_row "$work/fired.png" "$PLAY_ACCURACY" 3 "$work")'" ||
    fail "after one Space the accuracy reads '$(read_row "$work/fired.png" "$PLAY_ACCURACY" 3 "$work")'"

xdotool key Escape
wait_until 20 eval '! kill -0 "$pid" 2>/dev/null' || fail "Escape did not end the game"
kill "$pid" 2>/dev/null
wait "$pid"
status=$?
pid=""  # reaped: its number may soon belong to another process
[ "$status" = 0 ] && echo "ok: Escape ends the game with status 0" || fail "Escape ended the game with status $status"

if [ "$failures" -ne 0 ]; then
    echo "console:"; tr -d '\r' < "$work/out"; echo "errors:"; cat "$work/err"; exit 1
fi
echo "play: the Windows game plays as the Linux one does"
