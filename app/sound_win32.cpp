// Sound cues through the Windows multimedia library: PlaySoundA plays the WAV file in
// the background and returns at once; a new cue stops the one still playing. No
// default sound stands in for a missing file, and the result is not looked at.
#include <windows.h>

#include <mmsystem.h>

#include "app/sound.h"

void playSoundCue(const char* fileName) {
    PlaySoundA(fileName, nullptr, SND_FILENAME | SND_NODEFAULT | SND_ASYNC);
}
