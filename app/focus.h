// Whether the game's window still has the keyboard focus, from the window system
// itself: GLUT reports no focus change.
#pragma once

// True while the keyboard focus is away from the game's window (with another window, or
// with a program that grabbed the keyboard): key events that were already on their way
// may still arrive, but no release will. Reads only what has already arrived, so it can
// run every frame; false where it cannot tell.
bool keyboardFocusElsewhere();
