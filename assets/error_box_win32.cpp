// The decoder's error box on Windows: modal, captioned "Error", one OK button, owned by
// the window that has the keyboard focus (the game's), which waits until it is closed.
#include <windows.h>

#include "assets/decoders.h"

void showErrorBox(const char* message) {
    MessageBoxA(GetFocus(), message, "Error", MB_OK);
}
