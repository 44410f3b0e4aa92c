// The page's clocks: the time since the page began to load stands for the time since
// the process started, and the main thread's time for the processor's (a page has one).
#include <emscripten/emscripten.h>

#include "bench/process_clock.h"

double secondsSinceExec() {
    return emscripten_get_now() / 1000.0;
}

double processSeconds() {
    return emscripten_get_now() / 1000.0;
}
