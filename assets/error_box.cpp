#include <SDL.h>

#include <cstdio>

#include "assets/decoders.h"

void showErrorBox(const char* message) {
    // SDL shows the box without an SDL window or video subsystem of its own; it fails
    // when there is no display, and the message goes to standard error then.
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Error", message, nullptr) != 0) {
        std::fprintf(stderr, "%s\n", message);
    }
}
