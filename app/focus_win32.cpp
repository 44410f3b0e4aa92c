// Keyboard focus on Windows: the game's window (the one its GL context draws in) is
// asked each frame whether it is the foreground window, the one that gets the keyboard.
#include "app/focus.h"

#include <windows.h>

bool keyboardFocusElsewhere() {
    const HWND window = WindowFromDC(wglGetCurrentDC());
    return window != nullptr && GetForegroundWindow() != window;
}
