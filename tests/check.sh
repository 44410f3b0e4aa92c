# What the test scripts share. Sourced after `here` is set to the tests folder.

# on_own_screen "$@": runs the calling script again, once, on an Xvfb screen of its own.
on_own_screen() {
    if [ -z "${TRELVANE_ON_OWN_SCREEN:-}" ]; then
        TRELVANE_ON_OWN_SCREEN=1 exec "$here/xvfb.sh" "$0" "$@"
    fi
}

# test_folder [command]: a scratch folder for the test in $work and, when the test
# ends, the game ($pid) and any other window ($other) stopped, the command run and the
# folder removed.
test_folder() {
    work=$(mktemp -d)
    trap "leave_test_folder $*" EXIT
}
leave_test_folder() {
    [ -n "${pid:-}" ] && kill -9 "$pid" 2>/dev/null
    [ -n "${other:-}" ] && kill "$other" 2>/dev/null
    "${@:-true}"
    rm -rf "$work"
}

# fail <what>: reports a failed check and counts it in $failures.
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# wait_until <seconds> <command...>: true as soon as the command succeeds, false when
# the deadline passes first.
wait_until() {
    local deadline=$((SECONDS + $1))
    shift
    while [ "$SECONDS" -lt "$deadline" ]; do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# escape_ends <what>: Escape must end the process $pid within 20 s, with status 0. It is
# reaped and $pid cleared either way (its number may soon belong to another process).
escape_ends() {
    xdotool key Escape
    wait_until 20 eval '! kill -0 "$pid" 2>/dev/null' || { fail "Escape did not end $1"; kill -9 "$pid"; }
    wait "$pid"
    local status=$?
    pid=""
    [ "$status" = 0 ] && echo "ok: Escape ends $1 with status 0" || fail "$1 ended with status $status"
}
