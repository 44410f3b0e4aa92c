// Keyboard focus in the browser, from the page (web/platform.js): it is elsewhere while
// another window or tab has it or the page is hidden, and once more on the first frame
// after such a spell, since a hidden page draws no frames to notice the keys let go.
#include "app/focus.h"

extern "C" int trelvanePageLostKeyboard();

bool keyboardFocusElsewhere() {
    return trelvanePageLostKeyboard() != 0;
}
