// The application shell: window and loop (main), the render context, the keyboard
// callbacks and the platform backends behind the simulation's hooks.
#pragma once

// Checks OpenGL (version string, vertex-buffer extension), fetches the buffer entry
// points, builds the terrain, sets the fixed state and loads every texture. May end
// the process.
void initRenderContext();
// Viewport to the window; the one square frustum (far plane 50).
void reshape(int width, int height);

// GLUT keyboard callbacks: Enter, Escape, + and - act at once; every key sets or
// clears its held flag (a, w, s, d folded to lower case; arrows onto a, w, d, s).
void onKeyDown(unsigned char key, int x, int y);
void onKeyUp(unsigned char key, int x, int y);
void onSpecialKeyDown(int key, int x, int y);
void onSpecialKeyUp(int key, int x, int y);

// Installs the real clock, light switch, sound, redisplay and exit behind `platform`.
void installPlatformHooks();
