#!/usr/bin/env bash
# The Windows game started from its folder under Wine, as a player starts it: the
# console lines of the Linux game, then the title picture, which must match the Linux
# game's own title on the same kind of screen and renderer. Both are timed from start
# to title.
# Usage: start_test.sh <windows build> <linux game> <linux data folder>
set -u
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/check.sh"
on_own_screen "$@"
source "$here/screen.sh"
source "$here/wine/wine.sh" "$1"
linux_game=$(realpath "$2")
linux_data=$(realpath "$3")
test_folder wine_stop

prepare_title "$windows_build/data"

# start <name> <data folder> <command...>: starts the command in the folder and waits
# for the title; prints the seconds it took.
start() {
    local name=$1 folder=$2 started
    shift 2
    started=$(date +%s.%N)
    (cd "$folder" && exec "$@" > "$work/$name.out" 2> "$work/$name.err") &
    pid=$!
    if wait_until 120 showing_title "$name"; then
        # Where the window's pixels start: a window without a manager keeps its border.
        eval "$(xdotool search --onlyvisible --name '^Trelvane$' getwindowgeometry --shell 2>/dev/null | grep -E '^[XY]=')"
        origin[$name]="${X:-0} ${Y:-0}"
        echo "ok: $name shows the title $(awk -v a="$(date +%s.%N)" -v b="$started" 'BEGIN { printf "%.2f", a - b }') s after its start"
    else
        fail "$name shows no title within two minutes"
    fi
}

declare -A origin
start linux "$linux_data" "$linux_game"
escape_ends linux
start windows "$windows_build/data" "$wine64" "$windows_build/trelvane.exe"

# The console: the game-mode line or lines, the buffer line, the renderer line, as the
# Linux game prints them. Wine may offer the mode and then refuse the switch: the game
# says so and takes the standard window.
mapfile -t lines < <(wine_console windows)
printf '  console: %s\n' "${lines[@]}"
available="The specified game mode is available. Using it."
unavailable="The specified game mode is unavailable. Defaulting to standard window."
if [ "${lines[0]:-}" = "$unavailable" ]; then
    next=1
elif [ "${lines[0]:-}" = "$available" ] && [ "${lines[1]:-}" = "$unavailable" ]; then
    next=2
elif [ "${lines[0]:-}" = "$available" ] && [[ "${lines[1]:-}" =~ ^Using\ Game\ Mode:\ [0-9]+x[0-9]+x[0-9]+@[0-9]+$ ]]; then
    next=2
else
    fail "game-mode lines: ${lines[0]:-<none>} / ${lines[1]:-<none>}"
    next=1
fi
[ "${lines[$next]:-}" = "Using Buffer Objects!" ] || fail "expected the buffer line, got: ${lines[$next]:-<none>}"
[[ "${lines[$((next + 1))]:-}" =~ ^GL_RENDERER\ =\ .+ ]] || fail "expected the renderer line, got: ${lines[$((next + 1))]:-<none>}"
[ "${#lines[@]}" = $((next + 2)) ] || fail "${#lines[@]} console lines, expected $((next + 2))"
xdotool search --onlyvisible --name '^Trelvane$' > /dev/null || fail "no window titled Trelvane"

# The two windows' pixels from their own origins, over the part both show.
read -r lx ly <<< "${origin[linux]:-0 0}"
read -r wx wy <<< "${origin[windows]:-0 0}"
w=$((800 - (lx > wx ? lx : wx)))
h=$((600 - (ly > wy ? ly : wy)))
crop "$work/linux.png" "$w" "$h" "$lx" "$ly" "$work/linux_window.png"
crop "$work/windows.png" "$w" "$h" "$wx" "$wy" "$work/windows_window.png"
d=$(rmse "$work/windows_window.png" "$work/linux_window.png")
less_than "$d" 0.01 && echo "ok: the Windows title ($w x $h from $wx,$wy) differs from the Linux one (from $lx,$ly) by $d (RMSE)" ||
    fail "the Windows title differs from the Linux one by $d (RMSE)"
escape_ends windows

if [ "$failures" -ne 0 ]; then
    echo "errors (Windows):"; cat "$work/windows.err"; exit 1
fi
echo "start: the Windows game starts as the Linux one does"
