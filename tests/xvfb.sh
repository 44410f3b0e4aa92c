#!/usr/bin/env bash
# Runs a command on a fresh virtual 800 x 600 screen of its own, and gives its status.
# Each try asks for one display number; the X server's own lock file (made atomically)
# decides who has it, so screens started at the same moment never share one, and the
# server says when it accepts connections (-displayfd). It never resets: a server that
# resets when its last client leaves (a screenshot, say) drops a client still opening
# the display at that moment, and a slow starter (a game under valgrind) often is.
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

# starts <number>: true once the server of that display accepts connections; false
# (the server gone) when another has the number.
starts() {
    : > "$dir/ready"
    Xvfb ":$1" -displayfd 3 -screen 0 800x600x24 -nolisten tcp -noreset 3> "$dir/ready" 2> "$dir/log" &
    server=$!
    for _ in $(seq 1 600); do
        [ -s "$dir/ready" ] && return 0
        kill -0 "$server" 2>/dev/null || break
        sleep 0.05
    done
    kill "$server" 2>/dev/null
    wait "$server" 2>/dev/null
    server=""
    return 1
}

number=$((100 + RANDOM % 800))
for _ in $(seq 1 50); do
    starts "$number" && break
    number=$((number + 1))
done
if [ -z "$server" ]; then
    echo "xvfb.sh: no X server would start:" >&2
    cat "$dir/log" >&2
    exit 1
fi
DISPLAY=":$number" "$@"
status=$?
state=$(ps -o stat= -p "$server")
if [ -z "$state" ] || [[ "$state" == Z* ]]; then
    echo "xvfb.sh: the X server of :$number ended before the command:" >&2
    cat "$dir/log" >&2
fi
exit $status
