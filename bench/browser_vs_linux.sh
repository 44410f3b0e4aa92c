#!/usr/bin/env bash
# Frame times of render_fps built for Linux (llvmpipe under Xvfb) and for the browser
# (the GL layer on SwiftShader in headless Chromium), one after the other: every scene's
# time a frame on both and their ratio, browser to native; and both times to the first
# play frame. The browser build must have its benchmarks:
#   cmake --preset web -DTRELVANE_BENCH=ON && cmake --build --preset web
#   bench/browser_vs_linux.sh [frames]        (after test.sh: build/ and build-web/)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
frames=${1:-1000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$root/build/data" && "$root/tests/xvfb.sh" ../bench/render_fps "$frames") > "$work/linux.txt" 2> /dev/null
node "$here/render_fps_page.js" "$root/build-web/programs" "$frames" > "$work/browser.txt"
echo "Linux:   $(grep '^first play frame' "$work/linux.txt")"
echo "Browser: $(grep '^first play frame' "$work/browser.txt")"
printf '%-34s %10s %10s %8s\n' scene "Linux ms" "page ms" ratio
paste -d '|' <(grep ' ms a frame' "$work/linux.txt") <(grep ' ms a frame' "$work/browser.txt") |
    awk -F'|' '{
        split($1, a, ":"); name = a[1]
        match($1, /[0-9.]+ ms a frame/); l = substr($1, RSTART, RLENGTH) + 0
        match($2, /[0-9.]+ ms a frame/); w = substr($2, RSTART, RLENGTH) + 0
        printf "%-34s %10.3f %10.3f %7.2fx\n", name, l, w, w / l
    }'
