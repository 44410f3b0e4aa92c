// The browser's clock (web/platform.js): the page's time, standing still while the page
// is hidden or frozen or its graphics are lost, and running on from where it stopped when
// the page is back. A hidden page draws no frames: the time it spends hidden is no time
// of play, so the first frame after its return is an ordinary short step.
#include "app/clock.h"

extern "C" int trelvanePlayMilliseconds();

int playMilliseconds() {
    return trelvanePlayMilliseconds();
}
