#include <SDL.h>

#include <cstdio>
#include <cstring>

#include "assets/decoders.h"

void showErrorBox(const char* message) {
    // SDL shows the box without an SDL window or video subsystem of its own; it fails
    // when there is no display, and the message goes to standard error then.
    // A message that ends its own line is not given a second newline.
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Error", message, nullptr) != 0) {
        const std::size_t length = std::strlen(message);
        std::fputs(message, stderr);
        if (length == 0 || message[length - 1] != '\n') {
            std::fputc('\n', stderr);
        }
    }
}
