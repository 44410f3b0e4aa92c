#!/usr/bin/env bash
# Starts an installed game the way a user would, from the current folder, on an Xvfb
# screen of its own; checks that the game comes up and runs in its data folder, then
# stops that game and only it.
# Usage: launch_check.sh <program it should start> <data folder> <command...>
set -u
program=$(readlink -f "$1")
data=$(readlink -f "$2")
shift 2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

: > "$work/out"
"$here/xvfb.sh" "$@" >> "$work/out" 2>&1 &
runner=$!
# The game is the process whose whole command line is its program's path: the
# launcher execs it by that path, with no arguments.
game=""
deadline=$((SECONDS + 60))
while [ "$SECONDS" -lt "$deadline" ] && kill -0 "$runner" 2>/dev/null; do
    if grep -q '^GL_RENDERER = ' "$work/out"; then
        game=$(pgrep -x -f -- "$program" | head -1)
        [ -n "$game" ] && break
    fi
    sleep 0.1
done

status=0
if [ -z "$game" ]; then
    echo "FAIL: $* did not bring up $program within 60 s; its output:"
    cat "$work/out"
    game=$(pgrep -x -f -- "$program" | head -1)
    status=1
elif [ "$(readlink "/proc/$game/cwd")" != "$data" ]; then
    echo "FAIL: the game runs in $(readlink "/proc/$game/cwd"), not in $data"
    status=1
fi
if [ -n "$game" ]; then
    kill "$game"
else
    kill "$runner" 2>/dev/null
fi
wait "$runner" 2>/dev/null
exit "$status"
