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

// Takes shell `index` out of its table, first leaving a 3 s burst where it is drawn
// when `burst` is set.
void removeShell(int index, bool burst);

// A shell struck tank `index`: an explosion there; the player loses a life and 300
// points (Defeat on the last life), an enemy leaves the table (Victory on the last).
void destroyTank(int index);
