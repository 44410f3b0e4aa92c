#!/usr/bin/env bash
# Starts the real game under Xvfb and reads its console: a normal start, a desktop that
# offers the game mode and refuses the switch, then an OpenGL without vertex buffers,
# then one without a version string.
# Usage: console_test.sh <game binary> <fake GL library> <fake GLUT library>
set -u
game=$1
fake=$2
fake_glut=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/check.sh"
on_own_screen "$@"
test_folder

# Runs the game on its own screen until it prints its renderer line and shows its
# window, or ends, then stops it. Leaves the console in $work/out and the exit status
# in $work/status (143 when it was still running).
run_game() {
    rm -f "$work/out" "$work/status"
    env "$@" "$game" > "$work/out" 2> "$work/err" &
    local pid=$!
    for _ in $(seq 1 300); do
        kill -0 "$pid" 2>/dev/null || break
        grep -q '^GL_RENDERER = ' "$work/out" 2>/dev/null && break
        sleep 0.1
    done
    if grep -q '^GL_RENDERER = ' "$work/out" 2>/dev/null; then
        for _ in $(seq 1 100); do
            kill -0 "$pid" 2>/dev/null || break
            xdotool search --onlyvisible --name '^Trelvane$' > /dev/null 2>&1 && break
            sleep 0.1
        done
    fi
    kill -0 "$pid" 2>/dev/null && kill -TERM "$pid"
    wait "$pid"
    echo $? > "$work/status"
}

# A normal start: the game-mode line or lines, then the buffer line, then the renderer.
run_game DUMMY=1
mapfile -t lines < "$work/out"
case "${lines[0]:-}" in
    "The specified game mode is unavailable. Defaulting to standard window.")
        next=1 ;;
    "The specified game mode is available. Using it.")
        [[ "${lines[1]:-}" =~ ^Using\ Game\ Mode:\ [0-9]+x[0-9]+x[0-9]+@[0-9]+$ ]] || fail "game mode line: ${lines[1]:-}"
        next=2 ;;
    *) fail "first line: ${lines[0]:-<none>}"; next=1 ;;
esac
[ "${lines[$next]:-}" = "Using Buffer Objects!" ] || fail "expected the buffer line, got: ${lines[$next]:-<none>}"
[[ "${lines[$((next + 1))]:-}" =~ ^GL_RENDERER\ =\ .+ ]] || fail "expected the renderer line, got: ${lines[$((next + 1))]:-<none>}"

# The game mode offered, then refused (freeglut: "failed to change screen settings"):
# the game leaves it, takes the standard window and plays on until it is stopped.
run_game LD_PRELOAD="$fake_glut" FAKE_GLUT_GAME_MODE=possible
mapfile -t lines < "$work/out"
expected=("The specified game mode is available. Using it."
          "The specified game mode is unavailable. Defaulting to standard window."
          "Using Buffer Objects!")
for i in 0 1 2; do
    [ "${lines[$i]:-}" = "${expected[$i]}" ] || fail "refused game mode, line $((i + 1)): ${lines[$i]:-<none>}"
done
[[ "${lines[3]:-}" =~ ^GL_RENDERER\ =\ .+ ]] || fail "refused game mode, no renderer line: ${lines[3]:-<none>}"
[ "$(cat "$work/status")" = 143 ] || fail "refused game mode: the game ended by itself, status $(cat "$work/status")"

# No vertex-buffer extension: the message and status 0, before anything is drawn.
run_game LD_PRELOAD="$fake" FAKE_GL=no-vbo
grep -qx 'GL_ARB_vertex_buffer_object not found!' "$work/out" || fail "no-vbo message missing: $(cat "$work/out")"
grep -q 'Using Buffer Objects' "$work/out" && fail "no-vbo run went on"
[ "$(cat "$work/status" 2>/dev/null)" = 0 ] || fail "no-vbo status $(cat "$work/status" 2>/dev/null)"

# No version string: the message and status 1.
run_game LD_PRELOAD="$fake" FAKE_GL=no-version
grep -qx 'An error occured while trying to determine if the current version of OpenGL.' "$work/out" || fail "no-version message missing: $(cat "$work/out")"
[ "$(cat "$work/status" 2>/dev/null)" = 1 ] || fail "no-version status $(cat "$work/status" 2>/dev/null)"

if [ "$failures" -ne 0 ]; then
    echo "stderr of the last run:"; cat "$work/err"
    exit 1
fi
echo "console: all three starts as expected"
