// Sound cues: a WAV file from the working directory, started at once and played in the
// background; a new cue replaces the one playing. A missing or unplayable file, or no
// sound device, is silence and never an error. SDL2's audio on Linux (sound_sdl.cpp),
// PlaySoundA on Windows (sound_win32.cpp).
#pragma once

void playSoundCue(const char* fileName);
