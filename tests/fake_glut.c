/* Preloaded into the real game to play a desktop it cannot test for itself:
 * FAKE_GLUT_GAME_MODE=possible answers 1 to GLUT_GAME_MODE_POSSIBLE, whatever the
 * switch then does; FAKE_GLUT_CLOCK_MS=<n> makes GLUT_ELAPSED_TIME read as if GLUT had
 * already run n milliseconds, wrapping as the int count does; FAKE_GLUT_SWAP_MS=<n>
 * makes every buffer swap take n milliseconds more, as on a loaded machine. Everything
 * else passes through. */
#define _GNU_SOURCE
#include <GL/freeglut.h>
#include <dlfcn.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

int glutGameModeGet(GLenum query) {
    typedef int (*Query)(GLenum);
    static Query real;
    if (!real)
        real = (Query)dlsym(RTLD_NEXT, "glutGameModeGet");
    const char* mode = getenv("FAKE_GLUT_GAME_MODE");
    if (query == GLUT_GAME_MODE_POSSIBLE && mode && strcmp(mode, "possible") == 0)
        return 1;
    return real(query);
}

int glutGet(GLenum query) {
    typedef int (*Query)(GLenum);
    static Query real;
    if (!real)
        real = (Query)dlsym(RTLD_NEXT, "glutGet");
    const char* start = getenv("FAKE_GLUT_CLOCK_MS");
    if (query != GLUT_ELAPSED_TIME || !start)
        return real(query);
    const unsigned int reading =
        (unsigned int)strtoull(start, NULL, 10) + (unsigned int)real(query);
    int value;
    memcpy(&value, &reading, sizeof value);
    return value;
}

void glutSwapBuffers(void) {
    typedef void (*Swap)(void);
    static Swap real;
    if (!real)
        real = (Swap)dlsym(RTLD_NEXT, "glutSwapBuffers");
    const char* extra = getenv("FAKE_GLUT_SWAP_MS");
    if (extra) {
        const long ms = strtol(extra, NULL, 10);
        const struct timespec pause = {ms / 1000, (ms % 1000) * 1000000L};
        nanosleep(&pause, NULL);
    }
    real();
}
