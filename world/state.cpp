#include "world/world.h"

#include <cstdlib>
#include <ctime>

GameState game;

namespace {

int noClock() {
    return 0;
}
long long systemCalendarSeconds() {
    return static_cast<long long>(std::time(nullptr));
}
void noLight(int) {}
void noSound(const char*) {}
void noRedisplay() {}
void systemExit(int status) {
    std::exit(status);
}
bool focusHere() {
    return false;
}

unsigned int randomState = 1;
unsigned long long drawCount = 0;

}  // namespace

PlatformHooks platform = {
    noClock, systemCalendarSeconds, noLight, noSound, noRedisplay, systemExit, focusHere};

// The classic 15-bit linear congruential generator: the same sequence on every
// platform, with the srand/rand contract (seed 1 is the default).
void seedRandom(unsigned int seed) {
    randomState = seed;
}

int nextRandom() {
    randomState = randomState * 214013u + 2531011u;
    ++drawCount;
    return static_cast<int>((randomState >> 16) & 0x7FFFu);
}

unsigned long long randomDrawCount() {
    return drawCount;
}
