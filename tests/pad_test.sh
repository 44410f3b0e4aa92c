#!/usr/bin/env bash
# The real game played with a pad: one of SDL's virtual game controllers, attached while
# its control file is there (tests/pad_script.h), drives the game's own loop on an Xvfb
# screen. Start on the title starts play, the left stick moves the ground, the pad
# unplugged while the stick is held lets the tank coast to a stop, a pad plugged in
# during play fires with its right trigger (the shot's sound reaches SDL's audio), a brush
# of Back does nothing, and Back held a second ends the game with status 0, as Escape.
# Usage: pad_test.sh <virtual pad game> <data folder>
set -u
game=$1
data=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/check.sh"
on_own_screen "$@"
source "$here/screen.sh"
test_folder
prepare_title "$data"

# pad <words>: the pad's controls from now on; unplug: the pad gone.
pad() { echo "$*" > "$work/pad.next" && mv "$work/pad.next" "$work/pad"; }
unplug() { rm -f "$work/pad"; }
ended() { ! kill -0 "$pid" 2>/dev/null; }
# runs_for <tenths>: the game still runs at every look for that long.
runs_for() {
    local i
    for ((i = 0; i < $1; i++)); do ended && return 1; sleep 0.1; done
    ! ended
}
milliseconds() { echo $(($(date +%s%N) / 1000000)); }
sounded() { [ "$(od -An -v -tu1 "$work/audio.raw" 2>/dev/null | tr -s ' ' '\n' | sort -u | wc -l)" -gt 16 ]; }

# A pad at rest, plugged in before the game starts.
pad
(cd "$data" && exec env SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw" \
    "$game" "$work/pad" > "$work/out" 2> "$work/err") &
pid=$!
wait_until 120 showing_title && echo "ok: the title" || fail "no title screen within two minutes"

pad start
wait_until 30 left_title && echo "ok: Start leaves the title" || fail "still the title with Start held"
pad

# The left stick forward and to the left: a circle, which no obstacle stops.
ground still
pad lx=-0.7 ly=-0.7
wait_until 30 ground_moved && echo "ok: the left stick moves the ground" || fail "the ground did not move with the stick pushed"
unplug
wait_until 20 ground_still && echo "ok: the pad unplugged with its stick pushed, the tank coasts to a stop" ||
    fail "the tank drove on after the pad was unplugged"

# Plugged in again during play: the right trigger fires, and the shot sounds.
pad
pad rt=1
wait_until 30 sounded && echo "ok: the right trigger fires: the shot sounded" || fail "no shot sounded with the right trigger pulled"
pad

# Back brushed for a third of a second does nothing; held, it ends the game after a
# second. Times by the wall clock, not by counted looks, which a loaded machine slows.
pad back
since=$(milliseconds)
while [ $(($(milliseconds) - since)) -lt 300 ] && ! ended; do sleep 0.02; done
pad
runs_for 15 && echo "ok: a brush of Back does not end the game" ||
    fail "a brush of Back ($(($(milliseconds) - since)) ms) ended the game"
if ! ended; then
    pad back
    since=$(milliseconds)
    wait_until 10 ended || { fail "Back held did not end the game"; kill -9 "$pid"; }
    held=$(($(milliseconds) - since))
    [ "$held" -ge 900 ] || fail "Back ended the game after $held ms, before it was held a second"
    wait "$pid"
    status=$?
    pid=""
    [ "$status" = 0 ] && echo "ok: Back held a second ends the game with status 0" || fail "Back held ended the game with status $status"
fi

if [ "$failures" -ne 0 ]; then
    echo "console:"; cat "$work/out"; echo "errors:"; cat "$work/err"; exit 1
fi
echo "pad: the game plays with a pad as with the keyboard"
