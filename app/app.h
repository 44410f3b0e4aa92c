// The application shell: window and loop (main), the render context, the keyboard
// callbacks and the platform backends behind the simulation's hooks.
#pragma once

// Enters the game mode of the current game-mode string when GLUT says it is possible,
// printing the game's game-mode lines. False when it is not, or when the switch gave no
// game-mode window with a current context (a desktop may offer the mode and then
// refuse it, as Wine does); the game mode is left again then.
bool enterGameMode();

// Checks OpenGL (version string, vertex-buffer extension), fetches the buffer entry
// points, builds the terrain, sets the fixed state and loads every texture. May end
// the process.
void initRenderContext();
// Viewport to the window; the one square frustum (far plane 50).
void reshape(int width, int height);

// Who presses the game's keys. A key is held while any source holds it: letting go on
// one does not let go of a key another still holds.
enum class KeySource : unsigned char { Keyboard, Touch, Gamepad };

// A key pressed or let go by a source, as the keyboard callbacks press them: Enter,
// Escape, + and - act at once on every press; a, w, s, d fold to lower case.
void pressGameKey(KeySource source, unsigned char key);
void releaseGameKey(KeySource source, unsigned char key);
// Forgets which source holds what, when the game lets go of every key because the
// focus went elsewhere (the frame's focus check); the pads press again what they hold
// from the frame after one without that check.
void letGoOfEverySource();

// GLUT keyboard callbacks: Enter, Escape, + and - act at once; every key sets or
// clears its held flag (a, w, s, d folded to lower case; arrows onto a, w, d, s).
void onKeyDown(unsigned char key, int x, int y);
void onKeyUp(unsigned char key, int x, int y);
void onSpecialKeyDown(int key, int x, int y);
void onSpecialKeyUp(int key, int x, int y);

// Everything before the loop: the console, the platform hooks, GLUT, the game mode or
// its full-screen window, the render context and the seven callbacks (the idle one is
// playFrame). `argc` and `argv` go to GLUT unchanged.
void startGame(int& argc, char** argv);
// The idle callback: the pads read, then the frame's update.
void playFrame();

// Installs the real clock, light switch, sound, redisplay and exit behind `platform`.
void installPlatformHooks();
