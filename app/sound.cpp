#include "app/sound.h"

// Sound arrives with the SDL2 audio backend; until then every cue is silent.
void playSoundCue(const char*) {}
