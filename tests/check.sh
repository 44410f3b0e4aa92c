# What the test scripts share. Sourced after `here` is set to the tests folder.

# on_own_screen "$@": runs the calling script again, once, on an Xvfb screen of its own.
on_own_screen() {
    if [ -z "${TRELVANE_ON_OWN_SCREEN:-}" ]; then
        TRELVANE_ON_OWN_SCREEN=1 exec "$here/xvfb.sh" "$0" "$@"
    fi
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
