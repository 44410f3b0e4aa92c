#!/usr/bin/env bash
# Runs the real game under valgrind's memcheck from start-up through a stretch of play
# (driving, turning and firing, so that shells fly, burst and sound), one of its
# pictures replaced as a player may. No invalid read or
# write may pass through the game's code, and nothing the game allocated itself may be
# lost. The GL driver's own losses (Mesa keeps some blocks it makes for a window or a
# texture until its library is unloaded) are the driver's, not the game's: they vary
# with what llvmpipe compiled, and so with the machine's load.
# Usage: valgrind_test.sh <plain (unsanitized) game binary> <data folder>
set -u
game=$(realpath "$1")
data=$2
here=$(cd "$(dirname "$0")" && pwd)

source "$here/check.sh"
on_own_screen "$@"

source "$here/screen.sh"
test_folder
log=$work/memcheck.xml
prepare_title "$data"

# The game's data with the shell's picture replaced by a player's of 64 x 48, which
# GLU scales to 64 x 64 reading up to the edge of the picture's last row.
cp -r "$data" "$work/data"
convert -size 64x48 gradient:red-blue -quality 90 "$work/data/texture_bullet.jpg"
cd "$work/data"
valgrind --tool=memcheck --leak-check=full --num-callers=40 --suppressions="$here/valgrind.supp" \
    --xml=yes --xml-file="$log" "$game" > "$work/console" 2>&1 &
pid=$!
game_gone() { ! kill -0 "$pid" 2>/dev/null; }
if wait_until 300 eval 'game_gone || showing_title' && ! game_gone; then
    xdotool key Return
    wait_until 120 left_title || fail "Enter did not start play under valgrind"
    xdotool keydown w keydown a keydown space
    sleep 12  # the stretch of play measured
    xdotool keyup w keyup a keyup space
else
    fail "no title picture under valgrind"
fi
escape_ends "the game under valgrind"
[ "$failures" = 0 ] || { echo "its console:"; tail -20 "$work/console"; }

# Sums over valgrind's XML report the errors of one kind that belong to the game: for
# invalid accesses, those whose stack passes through the game's binary; for leaks, the
# bytes of blocks the game allocated itself (the first frame past the allocator is the
# game's binary, or libjpeg, whose memory the game owns).
game_errors() {
    awk -v kinds="$1" -v game="$game" '
        /<error>/ {kind = ""; bytes = 0; ours = 0; caller = ""; past = 0}
        /<kind>/ {gsub(/.*<kind>|<\/kind>.*/, ""); kind = $0}
        /<leakedbytes>/ {gsub(/.*<leakedbytes>|<\/leakedbytes>.*/, ""); bytes = $0}
        /<frame>/ {obj = ""}
        /<obj>/ {gsub(/.*<obj>|<\/obj>.*/, ""); obj = $0; if (obj == game) ours = 1}
        /<\/frame>/ {if (!past && obj !~ /vgpreload_memcheck/) {caller = obj; past = 1}}
        /<\/error>/ {
            if (kind ~ /^Leak_/ && kind ~ kinds && (caller == game || caller ~ /libjpeg/)) total += bytes
            else if (kind !~ /^Leak_/ && kind ~ kinds && ours) total += 1
        }
        END {print total + 0}' "$log"
}

grep -q '</valgrindoutput>' "$log" || fail "no complete valgrind report"
invalid=$(game_errors '^Invalid(Read|Write)$')
if [ "$invalid" -ne 0 ]; then
    fail "$invalid invalid accesses in the game's code:"
    grep -A30 -E '<kind>Invalid(Read|Write)' "$log" | grep -E '<(fn|file|line)>' | head -40
fi
lost=$(game_errors '^Leak_(DefinitelyLost|IndirectlyLost)$')
[ "$lost" -eq 0 ] && echo "ok: the game lost none of its own memory" || {
    fail "the game lost $lost bytes of its own memory:"
    grep -B2 -A40 -E '<kind>Leak_(Definitely|Indirectly)Lost' "$log" | grep -E '<(leakedbytes|fn|file|line)>' | head -60
}
exit $((failures > 0))
