#include "game/game.h"

void applyPlayerControls() {}
