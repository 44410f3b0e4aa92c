/* Preloaded into the real game so that every level is laid out from the same seed:
 * time() answers the calendar second given in FAKE_TIME. */
#include <stdlib.h>
#include <time.h>

time_t time(time_t* out) {
    const char* fixed = getenv("FAKE_TIME");
    time_t now = fixed ? (time_t)strtoll(fixed, NULL, 10) : 0;
    if (out)
        *out = now;
    return now;
}
