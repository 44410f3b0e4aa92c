#!/usr/bin/env bash
# The Windows game under Wine played with real key presses through the X server, as
# on Linux: Enter starts play, W moves the ground, one tap of Space reads 1 on the
# accuracy row's shots, keys let go in another window do not stay held, and Escape
# ends the game with status 0.
# Usage: play_test.sh <windows build>
set -u
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/check.sh"
on_own_screen "$@"
source "$here/screen.sh"
source "$here/wine/wine.sh" "$1"
data="$windows_build/data"
test_folder wine_stop

prepare_glyphs "$data" "$work"
prepare_title "$data"
# One shot fired and none hit yet, or the shot hit: hits/shots reads 0/1 or 1/1.
one_shot() { shot "$work/fired.png" && [[ "$(read_row "$work/fired.png" "$PLAY_ACCURACY" 3 "$work")" =~ ^[01]/1$ ]]; }

(cd "$data" && exec "$wine64" "$windows_build/trelvane.exe" > "$work/out" 2> "$work/err") &
pid=$!
wait_until 120 showing_title && echo "ok: the title" || fail "no title screen within two minutes"

xdotool key Return
wait_until 30 left_title play && echo "ok: Enter leaves the title" || fail "still the title after Enter"
accuracy=$(read_row "$work/play.png" "$PLAY_ACCURACY" 3 "$work")
[ "$accuracy" = "0/0" ] && echo "ok: no shot yet: accuracy '$accuracy'" || fail "accuracy at the start reads '$accuracy'"

ground still
xdotool keydown w
wait_until 30 ground_moved && echo "ok: W moves the ground" || fail "the ground did not change while W was held"
xdotool keyup w
wait_until 20 ground_still || fail "the tank did not come to a stop"

# One instant tap of Space, shorter than a frame: one shell.
xdotool key space
wait_until 30 one_shot && echo "ok: Space fired one shell: accuracy '$(read_row "$work/fired.png" "$PLAY_ACCURACY" 3 "$work")'" ||
    fail "after one Space the accuracy reads '$(read_row "$work/fired.png" "$PLAY_ACCURACY" 3 "$work")'"

keys_let_go_elsewhere

escape_ends "the game"

if [ "$failures" -ne 0 ]; then
    echo "console:"; tr -d '\r' < "$work/out"; echo "errors:"; cat "$work/err"; exit 1
fi
echo "play: the Windows game plays as the Linux one does"
