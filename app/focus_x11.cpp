// Keyboard focus on X11. A connection of the game's own asks the X server for the
// focus events of the GLUT window (each client chooses its own events on a window, so
// GLUT's stay as they are), and each frame takes what has arrived without waiting.
#include "app/focus.h"

#include <GL/glx.h>
#include <X11/Xlib.h>

namespace {

Display* focusEvents = nullptr;
bool tried = false;
bool elsewhere = false;  // as of the last focus event read

// The connection and its event selection, made on the first call (from a frame, when
// the window exists and its context is current); false for good when it cannot be.
bool watching() {
    if (tried)
        return focusEvents != nullptr;
    tried = true;
    Display* glutDisplay = glXGetCurrentDisplay();
    const GLXDrawable window = glXGetCurrentDrawable();
    if (glutDisplay == nullptr || window == None)
        return false;
    focusEvents = XOpenDisplay(DisplayString(glutDisplay));
    if (focusEvents == nullptr)
        return false;
    XSelectInput(focusEvents, window, FocusChangeMask);
    XFlush(focusEvents);
    return true;
}

}  // namespace

bool keyboardFocusElsewhere() {
    if (!watching())
        return false;
    while (XEventsQueued(focusEvents, QueuedAfterReading) > 0) {
        XEvent event;
        XNextEvent(focusEvents, &event);
        // Focus moving into a child of the window is still the window's.
        if (event.type == FocusIn) {
            elsewhere = false;
        } else if (event.type == FocusOut && event.xfocus.detail != NotifyInferior) {
            elsewhere = true;
        }
    }
    return elsewhere;
}
