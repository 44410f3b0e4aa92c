#!/usr/bin/env bash
# The shot's sound cue of the Windows game under Wine, seen through Wine's winmm trace:
# each shot calls PlaySoundA with SND_FILENAME | SND_NODEFAULT | SND_ASYNC (0x00020003)
# on "shoot.wav". With the file missing nothing is read and no sound device opened (no
# default sound either); once the file is there, the next shot reads the WAV and opens
# a device for it.
# Usage: sound_test.sh <windows build>
set -u
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/check.sh"
on_own_screen "$@"
source "$here/screen.sh"
export WINEDEBUG=-all,+winmm
source "$here/wine/wine.sh" "$1"
test_folder wine_stop

cp -r "$windows_build/data" "$work/data"
rm "$work/data/shoot.wav"
prepare_title "$work/data"
# cues_done <n>: Wine has finished (played or given up on) n cues.
cues_done() { [ "$(grep -c 'proc_PlaySound Done playing=L"shoot.wav"' "$work/err")" -ge "$1" ]; }
# The trace of the n-th cue, from its PlaySound call to its end.
cue_trace() {
    awk -v n="$1" '/MULTIMEDIA_PlaySound/ { c++ } c == n' "$work/err" | sed '/Done playing/q'
}
# expect_call <n>: the n-th cue's call has the flags and the file name.
expect_call() {
    cue_trace "$1" | grep -q 'MULTIMEDIA_PlaySound .*fdwSound=00020003' &&
        cue_trace "$1" | grep -q 'SoundName=L"shoot.wav"' &&
        echo "ok: shot $1: PlaySoundA(\"shoot.wav\", NULL, SND_FILENAME | SND_NODEFAULT | SND_ASYNC)" ||
        fail "shot $1: no PlaySoundA call on shoot.wav with the flags 00020003"
}

(cd "$work/data" && exec "$wine64" "$windows_build/trelvane.exe" > "$work/out" 2> "$work/err") &
pid=$!
wait_until 120 showing_title || fail "no title screen within two minutes"
xdotool key Return
wait_until 30 left_title || fail "still the title after Enter"

# Space held until the shot's cue has run its course (shots follow every half second).
xdotool keydown space
wait_until 30 cues_done 1 || fail "no sound cue for the first shot"
xdotool keyup space
expect_call 1
if cue_trace 1 | grep -q -e 'ParentChunk' -e 'waveOutOpen'; then
    fail "shoot.wav missing, yet something was read or a device opened"
else
    echo "ok: shoot.wav missing: nothing read, no device opened"
fi

cp "$windows_build/data/shoot.wav" "$work/data/"
n=$(($(grep -c 'MULTIMEDIA_PlaySound' "$work/err") + 1))
xdotool keydown space
wait_until 30 cues_done "$n" || fail "no sound cue for the shot after the file came back"
xdotool keyup space
expect_call "$n"
cue_trace "$n" | grep -q 'ParentChunk ckid=RIFF fccType=WAVE' && cue_trace "$n" | grep -q 'waveOutOpen' &&
    echo "ok: shoot.wav there: read and sent to a sound device" ||
    fail "shoot.wav there, yet it was not read and sent to a device"

escape_ends "the game"

if [ "$failures" -ne 0 ]; then
    echo "Wine's winmm trace:"; grep 'winmm' "$work/err"; exit 1
fi
echo "sound: each shot reaches PlaySoundA; a missing file stays silent"
