#!/usr/bin/env bash
# The Windows game under Wine played with a pad: the game's own XInput backend, its read
# of XInputGetState answered from a control file the test writes (scripted_xinput.cpp,
# the test's own build of the game). Start leaves the title, the left stick moves the
# ground, the right trigger fires shells (the accuracy row counts them), and Escape
# still ends the game with status 0.
# Usage: pad_test.sh <windows build>
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
pad() { echo "$*" > "$work/pad.next" && mv "$work/pad.next" "$work/pad"; }
# Shells fired: the accuracy row's shots are 1 or more.
fired() { shot "$work/fired.png" && [[ "$(read_row "$work/fired.png" "$PLAY_ACCURACY" 3 "$work")" =~ ^[0-9]/[1-9]$ ]]; }

pad
(cd "$data" && exec env TRELVANE_TEST_PAD="$(windows_path "$work/pad")" \
    "$wine64" "$windows_build/tests/scripted_pad.exe" > "$work/out" 2> "$work/err") &
pid=$!
wait_until 120 showing_title && echo "ok: the title" || fail "no title screen within two minutes"

pad start
wait_until 30 left_title play && echo "ok: Start leaves the title" || fail "still the title with Start held"
pad
accuracy=$(read_row "$work/play.png" "$PLAY_ACCURACY" 3 "$work")
[ "$accuracy" = "0/0" ] && echo "ok: no shot yet: accuracy '$accuracy'" || fail "accuracy at the start reads '$accuracy'"

ground still
pad lx=-0.7 ly=-0.7
wait_until 30 ground_moved && echo "ok: the left stick moves the ground" || fail "the ground did not move with the stick pushed"
pad
wait_until 20 ground_still || fail "the tank did not come to a stop with the stick let go"

pad rt=1
wait_until 30 fired && echo "ok: the right trigger fires: accuracy '$(read_row "$work/fired.png" "$PLAY_ACCURACY" 3 "$work")'" ||
    fail "with the right trigger pulled the accuracy reads '$(read_row "$work/fired.png" "$PLAY_ACCURACY" 3 "$work")'"
pad

escape_ends "the game"

if [ "$failures" -ne 0 ]; then
    echo "console:"; tr -d '\r' < "$work/out"; echo "errors:"; cat "$work/err"; exit 1
fi
echo "pad: the Windows game plays with an XInput pad"
