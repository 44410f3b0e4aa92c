// World rendering: the display callback with its chase camera, the ground mesh, the
// sky, the scene light, the full-screen phase pictures, the models and the explosion
// draws. Reads GameState and never writes game data; each draw leaves the OpenGL
// state that the next one expects.
#pragma once

#include "world/world.h"

// The display callback: clears, draws the current phase and swaps the buffers. The
// model-view matrix is current on entry and on return.
void display();

// The direction the chase camera looks along, in [0, 360): the tank's heading turned
// by the held view key ('1' behind, else '2' left, else '3' right).
float viewHeadingFor(float heading, const unsigned char keyDown[256]);

// Builds the ground mesh into a static vertex buffer (once, at start-up); leaves that
// buffer bound to GL_ARRAY_BUFFER_ARB.
void buildTerrain();
// Draws the ground around the player; the checkerboard stays fixed to the world.
// Needs texture generation, lighting, fog and depth test on and changes none of them;
// leaves the ground texture bound and object-linear generation selected.
void drawTerrain(float viewHeading);
// True (the default): the ground draws only the cells that can reach the view and the
// play frame skips the models wholly outside it, which gives the very same pixels as
// drawing everything. The render tests switch it off to compare whole frames.
extern bool renderSkipsUnseen;

// Switches GL_LIGHT0 on and places it in the world (call after the camera).
void placeLight();
// The backdrop, drawn first; switches depth test, fog and lighting off for itself and
// leaves all three switched on, eye-linear texture generation selected.
void drawSky(float viewHeading);
// Covers the screen with the bound picture; leaves texture generation S and T,
// lighting and fog switched on and the texture matrix at identity.
void drawPhaseScreen();

// The first of an object's nine wrapped copies closer than 50 to `reference`; false
// when none is (then `image` is left as it was).
bool nearestImage(Vector3 position, Vector3 reference, Vector3* image);
