#!/usr/bin/env bash
# Time to the title picture: the browser game from opening its page (served on
# 127.0.0.1, in headless Chromium) beside the Linux game from its start (under Xvfb),
# each run a few times. The Linux time is seen from outside, by reading one pixel of the
# screen until it is the title's, so it is at most a few tens of milliseconds late.
#   cmake --preset web && cmake --build --preset web     (build-web/site)
#   cmake -S . -B build && cmake --build build           (build/trelvane)
#   bench/title_time.sh [runs]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
runs=${1:-5}
if [ "${2:-}" = --on-display ]; then
    # One pixel of the title's name, as the picture scaled to the screen has it.
    want=$(convert "$root/build/data/screen_begin.jpg" -resize 800x600\! -crop 1x1+400+80 -depth 8 txt:- |
        grep -o '([0-9]*,[0-9]*,[0-9]*' | tr -d '(')
    pixel() {
        import -window root -crop 1x1+400+80 -depth 8 txt:- 2> /dev/null | grep -o '([0-9]*,[0-9]*,[0-9]*' | tr -d '('
    }
    close_to_title() {
        local r g b wr wg wb
        IFS=, read -r r g b <<< "$1"
        IFS=, read -r wr wg wb <<< "$want"
        [ -n "$r" ] && [ $(( (r - wr) * (r - wr) + (g - wg) * (g - wg) + (b - wb) * (b - wb) )) -lt 768 ]
    }
    cd "$root/build/data"
    start=$(date +%s%N)
    ../trelvane > /dev/null 2>&1 &
    game=$!
    trap 'kill $game 2> /dev/null' EXIT
    until close_to_title "$(pixel)"; do
        kill -0 $game 2> /dev/null || { echo "the game ended before its title" >&2; exit 1; }
    done
    echo $(( ($(date +%s%N) - start) / 1000000 ))
    exit 0
fi
times=()
for i in $(seq 1 "$runs"); do
    ms=$("$root/tests/xvfb.sh" "$0" "$runs" --on-display)
    echo "run $i: title up $ms ms after the game started"
    times+=("$ms")
done
echo "Linux: median $(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p") ms (${times[*]})"
NODE_PATH="$root/tests/web/node_modules" node "$here/title_time_page.js" "$root/build-web/site" "$runs"
