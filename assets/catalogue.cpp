#include "assets/assets.h"

void loadTextures() {}
