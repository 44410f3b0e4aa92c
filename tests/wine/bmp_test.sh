#!/usr/bin/env bash
# BMP files on Windows, under Wine:
# - every BMP file of the decoder tests decoded by the GDI conversion of the Windows
#   build and by the portable one of this build: the same pixels, or the same message,
#   for each file;
# - a damaged BMP texture loaded as the game loads its textures, in a window titled
#   like the game's: its message shows in a box captioned "Error" and loading waits;
#   Return dismisses the box, the texture is left out and the window goes on.
# Usage: bmp_test.sh <windows build> <BMP file writer> <portable BMP decoder>
set -u
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/check.sh"
on_own_screen "$@"
source "$here/screen.sh"
source "$here/wine/wine.sh" "$1"
writer=$(realpath "$2")
portable=$(realpath "$3")
test_folder wine_stop

mkdir "$work/files"
"$writer" "$work/files" || { echo "FAIL: could not write the BMP files"; exit 1; }
cd "$work/files"
files=(*.bmp)
"$portable" "${files[@]}" > "$work/portable.txt"
"$wine64" "$windows_build/tests/bmp_pixels.exe" "${files[@]}" 2> "$work/gdi.err" | tr -d '\r' > "$work/gdi.txt"
wine_stop
[ "$(wc -l < "$work/gdi.txt")" = "${#files[@]}" ] || fail "the GDI decoder gave $(wc -l < "$work/gdi.txt") lines for ${#files[@]} files"
if diff "$work/portable.txt" "$work/gdi.txt" > "$work/diff"; then
    echo "ok: ${#files[@]} BMP files: the same from the GDI and the portable conversion ($(grep -c ' no image ' "$work/gdi.txt") refused alike)"
else
    fail "the conversions differ (< portable, > GDI):"; cat "$work/diff"
fi

# The damaged texture: an info header of the newer 108-byte kind.
damaged=header_108.bmp
box_up() { xdotool search --onlyvisible --name '^Error$' > /dev/null 2>&1; }
"$wine64" "$windows_build/tests/texture_box.exe" "$damaged" > "$work/box.out" 2> "$work/box.err" &
pid=$!
if wait_until 60 box_up; then
    echo "ok: a box captioned \"Error\" over the window"
    grep -q "left out\|loaded" "$work/box.out" && fail "loading went on while the box was up"
    shot "$work/box.png"
    xdotool key Return
    wait_until 20 eval '! box_up' && echo "ok: Return dismisses it" || fail "the box is still up after Return"
else
    fail "no box captioned \"Error\" within a minute"
fi
left_out() { tr -d '\r' < "$work/box.out" | grep -qx "$damaged left out"; }
wait_until 20 left_out && echo "ok: the texture is left out" || fail "console: $(tr -d '\r' < "$work/box.out")"
# The window goes on drawing its grey frame where the box was.
grey() {
    shot "$work/after.png" && crop "$work/after.png" 200 80 300 260 "$work/middle.png" &&
        [ "$(mean_rgb "$work/middle.png")" = "128 128 128" ]
}
wait_until 20 grey && echo "ok: the window goes on" || fail "the window shows $(mean_rgb "$work/middle.png") where the box was"
escape_ends "it"

if [ "$failures" -ne 0 ]; then
    echo "errors:"; cat "$work/gdi.err" "$work/box.err"; exit 1
fi
echo "bmp: the GDI conversion agrees with the portable one; a damaged file shows its box"
