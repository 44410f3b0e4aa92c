#!/usr/bin/env bash
# Runs a command on a fresh virtual 800 x 600 screen of its own, and gives its status.
# The server picks a free display itself and says which once it accepts connections
# (-displayfd), so screens started at the same moment never take the same number.
set -u
dir=$(mktemp -d)
server=""
stop_server() {
    if [ -n "$server" ]; then
        kill "$server" 2>/dev/null
        wait "$server" 2>/dev/null
    fi
    rm -rf "$dir"
}
trap stop_server EXIT
trap 'exit 143' TERM INT HUP

Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3> "$dir/display" 2> "$dir/log" &
server=$!
for _ in $(seq 1 200); do
    [ -s "$dir/display" ] && break
    kill -0 "$server" 2>/dev/null || break
    sleep 0.05
done
number=$(head -1 "$dir/display")
if [ -z "$number" ]; then
    echo "xvfb.sh: Xvfb did not start:" >&2
    cat "$dir/log" >&2
    exit 1
fi
DISPLAY=":$number" "$@"
