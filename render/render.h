// World rendering: the display callback with its chase camera, the ground mesh, the
// sky, the scene light, the full-screen phase pictures, the models and the explosion
// draws. Reads GameState and never writes game data; each draw leaves the OpenGL
// state that the next one expects.
#pragma once

#include "world/world.h"

// The display callback: draws the current phase and swaps the buffers.
void display();

// Builds the ground mesh into a static vertex buffer (once, at start-up).
void buildTerrain();
// Draws the ground around the player; the checkerboard stays fixed to the world.
void drawTerrain(float viewHeading);

// Switches GL_LIGHT0 on and places it in the world (call after the camera).
void placeLight();
// The backdrop; leaves fog, depth test and lighting switched on.
void drawSky(float viewHeading);
// Covers the screen with the bound picture; leaves texture generation, lighting and
// fog switched on.
void drawPhaseScreen();

// The first of an object's nine wrapped copies closer than 50 to `reference`; false
// when none is.
bool nearestImage(Vector3 position, Vector3 reference, Vector3* image);
