// Keyboard focus on Windows: the game's window (the one its GL context draws in) is
// asked each frame whether it is still the foreground window, the one that gets the
// keyboard.
#include "app/focus.h"

#include <windows.h>

namespace {

bool hadFocus = false;

}  // namespace

bool keyboardFocusLost() {
    const HWND window = WindowFromDC(wglGetCurrentDC());
    if (window == nullptr)
        return false;
    const bool focused = GetForegroundWindow() == window;
    const bool lost = hadFocus && !focused;
    hadFocus = focused;
    return lost;
}
