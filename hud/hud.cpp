#include "hud/hud.h"
