#!/usr/bin/env bash
# Runs the real game under valgrind's memcheck from start-up into play, twice: a short
# and a longer stretch of play. Neither may show an invalid read or write, and the
# memory lost by the game's own code must not grow with the number of frames.
# Usage: valgrind_test.sh <plain (unsanitized) game binary> <data folder>
set -u
game=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
here=$(cd "$(dirname "$0")" && pwd)

# Plays for $1 seconds after the title screen, then presses Escape.
play_under_valgrind() {
    local seconds=$1 log=$2
    cat > "$work/drive.sh" <<DRIVE
#!/usr/bin/env bash
valgrind --tool=memcheck --leak-check=full --num-callers=40 --suppressions=$here/valgrind.supp \
  --xml=yes --xml-file="$log" "$game" > "$work/console" 2>&1 &
vg=\$!
for _ in \$(seq 1 600); do
    grep -q '^GL_RENDERER' "$work/console" 2>/dev/null && break
    sleep 0.2
done
sleep 3
xdotool key Return
sleep $seconds
xdotool key Escape
wait \$vg
echo \$? > "$work/status"
DRIVE
    chmod +x "$work/drive.sh"
    (cd "$data" && "$here/xvfb.sh" "$work/drive.sh")
}

# Sums over valgrind's XML report the errors of one kind whose stack passes through
# the game's own code (not only the loader's or the graphics driver's): the count, or
# for leaks the bytes.
game_errors() {
    awk -v kinds="$2" -v game="$game" '
        /<error>/ {kind = ""; bytes = 0; ours = 0}
        /<kind>/ {gsub(/.*<kind>|<\/kind>.*/, ""); kind = $0}
        /<leakedbytes>/ {gsub(/.*<leakedbytes>|<\/leakedbytes>.*/, ""); bytes = $0}
        index($0, "<obj>" game "</obj>") {ours = 1}
        /<\/error>/ {if (ours && kind ~ kinds) total += (kind ~ /^Leak_/ ? bytes : 1)}
        END {print total + 0}' "$1"
}

failures=0
for run in short long; do
    log="$work/$run.log"
    rm -f "$work/status"
    if [ $run = short ]; then play_under_valgrind 2 "$log"; else play_under_valgrind 12 "$log"; fi
    [ "$(cat "$work/status" 2>/dev/null)" = 0 ] || { echo "FAIL: $run run ended with $(cat "$work/status" 2>/dev/null)"; failures=1; }
    invalid=$(game_errors "$log" '^Invalid(Read|Write)$')
    if [ "$invalid" -ne 0 ]; then
        echo "FAIL: $run run has $invalid invalid accesses in the game's code:"
        grep -A30 -E '<kind>Invalid(Read|Write)' "$log" | grep -E '<(fn|file|line)>' | head -40
        failures=1
    fi
    grep -q '</valgrindoutput>' "$log" || { echo "FAIL: $run run has no complete valgrind report"; failures=1; }
done
short=$(game_errors "$work/short.log" '^Leak_(DefinitelyLost|IndirectlyLost)$')
long=$(game_errors "$work/long.log" '^Leak_(DefinitelyLost|IndirectlyLost)$')
echo "lost by the game's code: $short bytes after the short run, $long after the long one"
[ "$long" -le "$short" ] || { echo "FAIL: losses grow with play"; failures=1; }
exit $failures
