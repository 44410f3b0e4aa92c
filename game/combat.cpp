#include "game/game.h"

void removeShell(int, bool) {}
void destroyTank(int) {}
