// Whether the game's window still has the keyboard focus, from the window system
// itself: GLUT reports no focus change.
#pragma once

// True once after the window lost the keyboard focus (to another window, or to a
// program that grabbed the keyboard). Reads only what has already arrived, so it can
// run every frame; false where it cannot tell.
bool keyboardFocusLost();
