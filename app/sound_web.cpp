// Sound cues in the browser, through Web Audio (web/platform.js): the WAV file is read from
// the game's data, decoded by the browser once and kept; a new cue stops the one still
// playing. A missing or undecodable file, or a browser without Web Audio, is silence.
#include "app/sound.h"

extern "C" void trelvanePlaySoundCue(const char* fileName);

void playSoundCue(const char* fileName) {
    if (fileName != nullptr)
        trelvanePlaySoundCue(fileName);
}
