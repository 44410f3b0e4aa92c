#!/usr/bin/env bash
# Plays the real game like a person: real key presses and holds through the X server,
# screenshots at each step, and checks of what a player sees on them.
# Usage: play_test.sh <game binary> <data folder> <fixed-time library>
set -u
game=$1
data=$2
fixed_time=$3
here=$(cd "$(dirname "$0")" && pwd)

source "$here/check.sh"
on_own_screen "$@"

source "$here/screen.sh"
work=$(mktemp -d)
keep=${PLAY_TEST_SHOTS:-}
trap 'if [ -n "$keep" ]; then mkdir -p "$keep" && cp "$work"/*.png "$keep"/ 2>/dev/null; fi; rm -rf "$work"' EXIT
expect_row() {  # <shot> <row y> <cells> <expected text> <what>
    local got
    got=$(read_row "$1" "$2" "$3" "$work")
    [ "$got" = "$4" ] && echo "ok: $5 reads '$got'" || fail "$5 reads '$got', expected '$4'"
}
# expect_count <shot> <row y> <most> <what>: a tank count of at most <most> and at least
# three fewer (enemies may destroy each other before the screen is read).
expect_count() {
    local got n
    got=$(read_row "$1" "$2" 3 "$work")
    n=${got%%_*}
    if [[ "$n" =~ ^[0-9]+$ ]] && [ "$n" -le "$3" ] && [ "$n" -ge $(($3 - 3)) ]; then
        echo "ok: $4 reads '$got'"
    else
        fail "$4 reads '$got', expected $(($3 - 3)) to $3"
    fi
}
# expect_lives <shot> <lives row> <score row> <what>: three lives and no points, or, if an
# enemy already struck, two lives and -300.
expect_lives() {
    local lives score
    lives=$(read_row "$1" "$2" 2 "$work")
    score=$(read_row "$1" "$3" 4 "$work")
    if [ "$lives $score" = "3_ 0___" ] || [ "$lives $score" = "2_ -300" ]; then
        echo "ok: $4: lives '$lives', score '$score'"
    else
        fail "$4: lives '$lives', score '$score'"
    fi
}
prepare_glyphs "$data" "$work"
prepare_title "$data"
convert "$data/screen_death.jpg" -resize 800x600\! -crop 800x380+0+0 +repage "$work/ref_death_top.png"

defeat_difference() {
    shot "$work/$1.png"
    crop "$work/$1.png" 800 380 0 0 "$work/top.png"
    rmse "$work/top.png" "$work/ref_death_top.png"
}
showing_defeat() { less_than "$(defeat_difference "$1")" 0.1; }
left_defeat() { less_than 0.2 "$(defeat_difference "$1")"; }
ground_moved() {
    shot "$work/play_drive.png"
    crop "$work/play_drive.png" 800 200 0 380 "$work/g2.png"
    less_than 0.05 "$(rmse "$work/g1.png" "$work/g2.png")"
}
audio_kinds() { od -An -v -tu1 "$work/audio.raw" 2>/dev/null | tr -s ' ' '\n' | sort -u | wc -l; }
shot_sounded() { [ "$(audio_kinds)" -gt 16 ]; }
reads() { [ "$(read_row "$1" "$2" "$3" "$work")" = "$4" ]; }
level_reads() { shot "$work/$1.png" && reads "$work/$1.png" "$PLAY_LEVEL" 2 "$2"; }

# start_game [env assignments...]: starts the game from its data folder and waits for
# its title on the screen.
start_game() {
    rm -f "$work/console"
    (cd "$data" && exec env "$@" "$game" > "$work/console" 2> "$work/errors") &
    game_pid=$!
    wait_until 120 showing_title title || fail "no title screen within two minutes"
}

# stop_game: Escape, and the process must end with status 0.
stop_game() {
    xdotool key Escape
    local status=0
    for _ in $(seq 1 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$game_pid" 2>/dev/null; then
        fail "Escape did not end the game"; kill "$game_pid"
    fi
    wait "$game_pid"; status=$?
    [ "$status" = 0 ] && echo "ok: Escape ends the game with status 0" || fail "Escape ended the game with status $status"
}

# ---- First game: title, play, drive and fire, next level, quit.
start_game SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw"
xdotool search --name '^Trelvane$' > /dev/null || fail "no window titled Trelvane"

d=$(title_difference title)
less_than "$d" 0.15 && echo "ok: the title picture fills the screen ($d)" || fail "title screen differs from the picture by $d"
# Corner to corner: each corner has the picture's own colour there.
corners=$(title_corners "$work/title.png") && echo "ok: the title's corners are the picture's" || fail "$corners"

xdotool key Return
wait_until 30 left_title play_start && echo "ok: Enter leaves the title" || fail "still the title after Enter"
crop "$work/play_start.png" 100 70 650 40 "$work/map.png"
read -r r g b <<< "$(mean_rgb "$work/map.png")"
[ "$r" -lt 60 ] && [ "$g" -lt 60 ] && [ "$b" -lt 60 ] && echo "ok: the field map is dark ($r $g $b)" || fail "field map is not dark: $r $g $b"
crop "$work/play_start.png" 3 70 639 40 "$work/frame.png"
read -r r g b <<< "$(mean_rgb "$work/frame.png")"
[ "$b" -gt 150 ] && [ "$r" -lt 80 ] && [ "$g" -lt 80 ] && echo "ok: the map has its blue frame" || fail "map frame is not blue: $r $g $b"
expect_lives "$work/play_start.png" $PLAY_LIVES $PLAY_SCORE "at the start"
expect_count "$work/play_start.png" $PLAY_TANKS 10 "tanks at the start"
expect_row "$work/play_start.png" $PLAY_LEVEL 2 "1_" "level at the start"

# Hold w and Space: the tank drives off and fires; the shots sound and change the score
# (they cost points, and a hit may earn some).
crop "$work/play_start.png" 800 200 0 380 "$work/g1.png"
xdotool keydown w keydown space
wait_until 30 ground_moved && echo "ok: the ground moved" || fail "the ground did not change while driving"
wait_until 30 shot_sounded && echo "ok: the shot sounded ($(audio_kinds) sample values)" || fail "no sound from the shots ($(audio_kinds) sample values)"
xdotool keyup space keyup w
shot "$work/play_fired.png"
score=$(read_row "$work/play_fired.png" $PLAY_SCORE 4 "$work")
[[ "$score" =~ ^-?[1-9][0-9]*_*$ ]] && echo "ok: firing took the score to '$score'" || fail "score after firing reads '$score'"

# + builds the next level at once, while playing.
xdotool key plus
wait_until 30 level_reads play_next "2_" && echo "ok: level after + reads '2_'" || fail "level after + never read '2_'"
expect_count "$work/play_next.png" $PLAY_TANKS 14 "tanks after +"
stop_game

# ---- Second game: every level laid out from one fixed second, in which an enemy
# starts beside the player at level 11 and fires at once. Replaying that opening
# (- then +) costs a life each time: defeat, then Enter restarts at the first level.
start_game LD_PRELOAD="$fixed_time" FAKE_TIME=1000849 ASAN_OPTIONS="${ASAN_OPTIONS:-}:verify_asan_link_order=0"
for _ in $(seq 1 10); do xdotool key plus; done
xdotool key Return
# Until the defeat screen shows (or a deadline passes), the opening is replayed now and
# then: each replay puts the player beside the enemy that fires at once.
defeated=""
replays=0
deadline=$((SECONDS + 90))
last_replay=$SECONDS
while [ "$SECONDS" -lt "$deadline" ]; do
    if showing_defeat defeat; then defeated=1; break; fi
    if [ $((SECONDS - last_replay)) -ge 2 ]; then
        xdotool key minus plus
        replays=$((replays + 1)); last_replay=$SECONDS
    fi
done
if [ -n "$defeated" ]; then
    echo "ok: the defeat screen after $replays replays of the opening"
    expect_row "$work/defeat.png" $SUMMARY_LIVES 2 "0_" "lives on the defeat screen"
    # Shells in flight outlive a level change, so the shell fired at level 11 may land
    # in the moment between - and +: the defeat screen then shows level 10.
    level=$(read_row "$work/defeat.png" $SUMMARY_LEVEL 3 "$work")
    [ "$level" = "11_" ] || [ "$level" = "10_" ] && echo "ok: the defeat screen shows the level reached ('$level')" \
        || fail "level on the defeat screen reads '$level', expected '11_' or '10_'"
    xdotool key Return
    wait_until 30 left_defeat restart && echo "ok: Enter leaves the defeat screen" || fail "still the defeat screen after Enter"
    expect_lives "$work/restart.png" $PLAY_LIVES $PLAY_SCORE "after the restart"
    expect_row "$work/restart.png" $PLAY_LEVEL 2 "1_" "level after the restart"
    expect_count "$work/restart.png" $PLAY_TANKS 10 "tanks after the restart"
else
    fail "no defeat screen"
fi
stop_game

if [ "$failures" -ne 0 ]; then
    echo "console:"; cat "$work/console"; echo "errors:"; cat "$work/errors"; exit 1
fi
echo "play: every step looked as a player should see it"
