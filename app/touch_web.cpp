// The page's touch controls (web/touch.js) press and let go of the game's keys here, as
// a source of their own beside the keyboard, and read which picture the game shows.
#include <emscripten/emscripten.h>

#include "app/app.h"
#include "game/game.h"

extern "C" {

// A control pressed (down 1) or let go (down 0): the key's code as the keyboard's
// callbacks take it (' ' fire, 9 turbo, '1' to '3' the views, 13 Enter, w a s d).
EMSCRIPTEN_KEEPALIVE void trelvaneTouchKey(int key, int down) {
    if (key < 0 || key > 255)
        return;
    const unsigned char code = static_cast<unsigned char>(key);
    if (down != 0) {
        pressGameKey(KeySource::Touch, code);
    } else {
        releaseGameKey(KeySource::Touch, code);
    }
}

// The game's phase: 0 the title, 1 play, 2 defeat, 3 victory.
EMSCRIPTEN_KEEPALIVE int trelvaneTouchPhase() {
    return static_cast<int>(game.phase);
}

}  // extern "C"
