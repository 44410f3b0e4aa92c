#!/usr/bin/env bash
# The real game started from a copy of its data folder whose textures a player has
# replaced with hostile JPEG files: each is refused with one line, and the game comes
# up and shows its title without them. A file that is no JPEG at all ends the game
# with status 1 and the library's message after the file's name.
# Usage: texture_test.sh <game binary> <data folder> <hostile JPEG writer>
set -u
game=$1
data=$2
writer=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/check.sh"
on_own_screen "$@"
source "$here/screen.sh"
test_folder

cp -r "$data" "$work/data"
prepare_title "$data"
# Sizes that once cost gigabytes or seconds before the first pixel, and a file of
# 200,000 empty scans.
"$writer" "$work/data/texture_sky.jpg" declared progressive 16384 16384 &&
"$writer" "$work/data/texture_tank.jpg" declared one-component-scans 9400 9400 &&
"$writer" "$work/data/texture_bullet.jpg" declared baseline 65500 65500 &&
"$writer" "$work/data/texture_object.jpg" scans 200000 512 || { echo "FAIL: could not write the files"; exit 1; }

(cd "$work/data" && exec "$game" > "$work/out" 2> "$work/err") &
pid=$!
titled=""
for _ in $(seq 1 600); do
    kill -0 "$pid" 2>/dev/null || break
    if grep -q '^GL_RENDERER' "$work/out" 2>/dev/null; then
        showing_title 2>/dev/null && { titled=1; break; }
    fi
    sleep 0.1
done
[ -n "$titled" ] && echo "ok: the game shows its title" || fail "no title screen (the game $(kill -0 "$pid" 2>/dev/null && echo runs || echo ended))"
for file in texture_sky.jpg texture_tank.jpg texture_bullet.jpg texture_object.jpg; do
    count=$(grep -c "^$file: not loaded: " "$work/err")
    [ "$count" = 1 ] && echo "ok: $file refused: $(grep "^$file: not loaded: " "$work/err")" ||
        fail "$file: $count refusal lines"
done
escape_ends "the game"

# A picture saved under the wrong name: the first bytes of a TGA file.
printf '\0\0\2\0\0\0\0\0\0\0\0\0' > "$work/data/texture_sky.jpg"
(cd "$work/data" && exec "$game" > "$work/out" 2> "$work/err") &
pid=$!
wait_until 60 eval '! kill -0 "$pid" 2>/dev/null' || { fail "the game went on with a file that is no JPEG"; kill "$pid"; }
wait "$pid"; status=$?
pid=""
message="texture_sky.jpg: Not a JPEG file: starts with 0x00 0x00"
[ "$status" = 1 ] && grep -qx "$message" "$work/err" && echo "ok: $message (status 1)" ||
    fail "a file that is no JPEG: status $status, errors: $(cat "$work/err")"

if [ "$failures" -ne 0 ]; then
    echo "console:"; cat "$work/out"; echo "errors:"; cat "$work/err"; exit 1
fi
echo "textures: every hostile file refused, the game up without them"
