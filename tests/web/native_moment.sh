#!/usr/bin/env bash
# The desktop's picture of one moment: picture_moments on an Xvfb screen of its own,
# from the data folder, the screen grabbed once the moment is drawn.
# Usage: native_moment.sh <picture_moments> <data folder> <moment> <out.png>
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
if [ "${1:-}" != --on-display ]; then
    program=$(realpath "$1")
    out=$(realpath -m "$4")
    cd "$2"
    exec "$here/xvfb.sh" "$0" --on-display "$program" "$3" "$out"
fi
program=$2
moment=$3
out=$4
log=$(mktemp)
"$program" "$moment" > "$log" 2>&1 &
game=$!
trap 'kill $game 2> /dev/null; rm -f "$log"' EXIT
for _ in $(seq 1 300); do
    grep -q "^Moment drawn: $moment" "$log" && break
    kill -0 $game 2> /dev/null || break
    sleep 0.1
done
if ! grep -q "^Moment drawn: $moment" "$log"; then
    echo "picture_moments $moment drew nothing within 30 s:" >&2
    cat "$log" >&2
    exit 1
fi
import -window root "$out"
