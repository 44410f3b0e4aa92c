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
work=$(mktemp -d)
trap '[ -n "${pid:-}" ] && kill "$pid" 2>/dev/null; [ -n "${other:-}" ] && kill "$other" 2>/dev/null
      wine_stop; rm -rf "$work"' EXIT

prepare_glyphs "$data" "$work"
prepare_title "$data"
ground() { shot "$work/now.png" && crop "$work/now.png" 800 200 0 380 "$work/$1.png"; }
ground_moved() { ground moved && less_than 0.05 "$(rmse "$work/still.png" "$work/moved.png")"; }
# Two looks at the ground half a second apart show the same picture.
ground_still() {
    ground still && sleep 0.5 && ground again && less_than "$(rmse "$work/still.png" "$work/again.png")" 0.005
}
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

# W, A and Space held, the focus moved to another window, the keys let go there: the
# tank stops driving, turning and firing, and coasts to a stop.
xev -geometry 100x100+0+0 > /dev/null &
other=$!
wait_until 10 xdotool search --name '^Event Tester$' > /dev/null || fail "no other window"
other_window=$(xdotool search --name '^Event Tester$' | head -1)
game_window=$(xdotool search --name '^Trelvane$' | head -1)
# The keyboard given to the game's window, as a window manager gives it (with none,
# X lets the pointer decide, and Wine sees no window lose the keyboard).
xdotool windowfocus --sync "$game_window"
xdotool keydown w keydown a keydown space
wait_until 30 ground_moved || fail "the ground did not move while driving"
xdotool windowfocus --sync "$other_window" keyup w keyup a keyup space
wait_until 20 ground_still && echo "ok: keys let go in another window stop the tank" ||
    fail "the tank drove on after its keys were let go in another window"
xdotool windowfocus --sync "$game_window"
kill "$other"; wait "$other" 2>/dev/null; other=""

escape_ends "the game"

if [ "$failures" -ne 0 ]; then
    echo "console:"; tr -d '\r' < "$work/out"; echo "errors:"; cat "$work/err"; exit 1
fi
echo "play: the Windows game plays as the Linux one does"
