// Sound cues through SDL2's audio subsystem: a WAV file from the working directory,
// started at once and played in the background; a new cue replaces the one playing.
// A missing or unplayable file, or no sound device, is silence and never an error.
#pragma once

void playSoundCue(const char* fileName);
