// The game's rules over time: level set-up, the per-frame update with contact
// resolution and the phase machine, the player's held-key controls, and the
// consequences of a shot (bursts, destroyed tanks, score, lives, sound cues).
//
// Pure simulation like world/: it reaches the clock, lights, sounds and the redisplay
// only through `platform` (world/world.h).
#pragma once

#include "world/world.h"

// Builds level L: reseeds the generator from the calendar time, places the player at
// the centre at rest, scatters 4L + 10 enemies (at most 50) and 150 obstacles.
void setupLevel(unsigned int level);

// The idle callback: in the Playing phase advances the game by the measured wall-clock
// time since the last frame; in every phase asks for a redisplay.
void frameUpdate();

// Turns the player's held keys into one frame of actions (fire, turn, drive, turbo).
void applyPlayerControls();

// Held keys, by their stored codes. A press holds the key and a release lets it go, but
// a tap that came and went before any frame read it is held for the next frame and let
// go after it, so that every press acts at least once.
void pressKey(unsigned char key);
void releaseKey(unsigned char key);
// Once at the start of every frame, before the flags are read: lets go of the taps the
// last frame has read, and of every key while the keyboard focus is elsewhere (the
// releases of keys let go there never reach the game).
void settleKeys();

// Takes shell `index` out of its table, first leaving a 3 s burst where it is drawn
// when `burst` is set.
void removeShell(int index, bool burst);

// A shell struck tank `index`: an explosion there; the player loses a life and 300
// points (Defeat on the last life), an enemy leaves the table (Victory on the last).
void destroyTank(int index);

// The pieces of one Playing frame, in the order frameUpdate runs them; exposed so the
// steps can be checked and measured one by one.

// Advances every running explosion by dt; a finished one has its light switched off
// and leaves the table (the later ones move down and keep their lights).
void advanceExplosions(float dt);

// Earliest contact of each tank and shell within the next dt seconds (2.0 for none),
// and the tank each shell reaches first (-1 for an obstacle or nothing).
struct FrameContacts {
    float tankContact[kTankCapacity];
    float shellContact[kBulletCapacity];
    int shellTarget[kBulletCapacity];
};
void predictFrameContacts(float dt, FrameContacts& contacts);

// Stops and moves the tanks, counts down reloads, then flies, bursts and resolves every
// shell with the contacts found for this frame.
void moveTanksAndShells(float dt, const FrameContacts& contacts);
