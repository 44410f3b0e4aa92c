#!/usr/bin/env bash
# Frame times of render_fps built for Linux and for Windows (under Wine), one after the
# other on one Xvfb screen, each from its own data folder: every scene's time a frame
# on both and their ratio, Wine to native; and both times to the first play frame.
#   bench/windows_vs_linux.sh [frames]        (after test.sh: build/ and build-windows/)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
if [ -z "${TRELVANE_ON_OWN_SCREEN:-}" ]; then
    TRELVANE_ON_OWN_SCREEN=1 exec "$root/tests/xvfb.sh" "$0" "$@"
fi
frames=${1:-1000}
source "$root/tests/wine/wine.sh" "$root/build-windows" > /dev/null
work=$(mktemp -d)
trap 'wine_stop; [ -n "${KEEP:-}" ] && cp "$work"/*.txt /tmp/; rm -rf "$work"' EXIT
(cd "$root/build/data" && ../bench/render_fps "$frames") > "$work/linux.txt" 2> /dev/null
(cd "$root/build-windows/data" && "$wine64" ../bench/render_fps.exe "$frames") 2> /dev/null |
    tr -d '\r' > "$work/windows.txt"
wine_stop
echo "Linux:   $(grep '^first play frame' "$work/linux.txt")"
echo "Windows: $(grep '^first play frame' "$work/windows.txt")"
printf '%-34s %10s %10s %8s\n' scene "Linux ms" "Wine ms" ratio
paste -d '|' <(grep ' ms a frame' "$work/linux.txt") <(grep ' ms a frame' "$work/windows.txt") |
    awk -F'|' '{
        split($1, a, ":"); name = a[1]
        match($1, /[0-9.]+ ms a frame/); l = substr($1, RSTART, RLENGTH) + 0
        match($2, /[0-9.]+ ms a frame/); w = substr($2, RSTART, RLENGTH) + 0
        printf "%-34s %10.3f %10.3f %7.2fx\n", name, l, w, w / l
    }'
