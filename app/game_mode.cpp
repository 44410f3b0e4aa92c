// The game mode, entered only when it is really granted.
#include <GL/freeglut.h>

#include <cstdio>

#include "app/app.h"

bool enterGameMode() {
    if (!glutGameModeGet(GLUT_GAME_MODE_POSSIBLE)) {
        return false;
    }
    std::printf("The specified game mode is available. Using it.\n");
    const int window = glutEnterGameMode();
    if (window == 0 || !glutGameModeGet(GLUT_GAME_MODE_ACTIVE) || glutGetWindow() != window ||
        glGetString(GL_VERSION) == nullptr) {
        glutLeaveGameMode();
        return false;
    }
    std::printf("Using Game Mode: %ix%ix%i@%i\n", glutGameModeGet(GLUT_GAME_MODE_WIDTH),
                glutGameModeGet(GLUT_GAME_MODE_HEIGHT), glutGameModeGet(GLUT_GAME_MODE_PIXEL_DEPTH),
                glutGameModeGet(GLUT_GAME_MODE_REFRESH_RATE));
    return true;
}
