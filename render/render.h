// World rendering: the display callback with its chase camera, the ground mesh, the
// sky, the scene light, the full-screen phase pictures, the models and the explosion
// draws. Reads GameState and never writes game data; each draw leaves the OpenGL
// state that the next one expects.
#pragma once

#include "world/world.h"

// The display callback: clears, draws the current phase and swaps the buffers. The
// model-view matrix is current on entry and on return.
void display();
// True (the default): play frames take the shortcuts that give the very same pixels as
// drawing everything one by one: the ground draws only the cells that can reach the
// view, the models wholly outside it are skipped, and the explosions draw all their
// particles under one switch of state. The render tests switch it off to compare.
extern bool renderShortcuts;

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

// Explosions 0 to `last` of `explosions`, with the same pixels and lights as drawing
// each in turn (Explosion::draw): a finished one switches its light off, one out of
// range of every image changes nothing, the others draw their particles and switch
// their lights on. When any drew, leaves lighting and GL_TEXTURE_2D on, texture 0 and
// array buffer 0 bound, the point size 5 and the colour white.
void drawExplosions(const Explosion* explosions, int last, Vector3 reference,
                    BindBufferFunction bindBuffer);
