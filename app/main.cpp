// Program entry: GLUT, the game mode or its full-screen fallback window (also when the
// desktop refuses the mode it offered), the render context, the seven callbacks, and
// the loop that never returns.
#include <GL/freeglut.h>

#include <cstdio>

#include "app/app.h"
#include "game/game.h"
#include "render/render.h"

namespace {

// Enters the 800x600:16@60 game mode when GLUT says it is possible. False when it is not,
// or when the switch gave no game-mode window with a current context (a desktop may
// offer the mode and then refuse it); the game mode is left again then.
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

}  // namespace

int main(int argc, char** argv) {
    // Each line out at once, so the console reads the same through a pipe (Windows'
    // C library has no line buffering: it takes _IOLBF for whole buffers).
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    installPlatformHooks();

    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutGameModeString("800x600:16@60");
    if (!enterGameMode()) {
        std::printf("The specified game mode is unavailable. Defaulting to standard window.\n");
        glutInitWindowSize(800, 600);
        glutCreateWindow("Trelvane");
        glutFullScreen();
    }

    initRenderContext();

    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(onKeyDown);
    glutKeyboardUpFunc(onKeyUp);
    glutSpecialFunc(onSpecialKeyDown);
    glutSpecialUpFunc(onSpecialKeyUp);
    glutIdleFunc(frameUpdate);
    glutMainLoop();
    return 0;
}
