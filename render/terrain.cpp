#include "render/render.h"

void buildTerrain() {}
