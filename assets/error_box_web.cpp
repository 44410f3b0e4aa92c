// The decoder's error box in the browser: the page's modal alert with the message
// (web/platform.js), which holds the game until the player closes it.
#include "assets/decoders.h"

extern "C" void trelvaneAlert(const char* message);

void showErrorBox(const char* message) {
    trelvaneAlert(message);
}
