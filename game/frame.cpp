#include "game/game.h"

void frameUpdate() { platform.postRedisplay(); }
