#include "game/game.h"

void setupLevel(unsigned int level) { game.level = level; }
