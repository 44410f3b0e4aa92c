// Program entry: GLUT, the game mode or its full-screen fallback window, the render
// context, the seven callbacks, and the loop that never returns.
#include <GL/freeglut.h>

#include <cstdio>

#include "app/app.h"
#include "game/game.h"
#include "render/render.h"

int main(int argc, char** argv) {
    // Line by line, so the console reads the same through a pipe.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    installPlatformHooks();

    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutGameModeString("800x600:16@60");
    if (glutGameModeGet(GLUT_GAME_MODE_POSSIBLE)) {
        std::printf("The specified game mode is available. Using it.\n");
        glutEnterGameMode();
        std::printf("Using Game Mode: %ix%ix%i@%i\n", glutGameModeGet(GLUT_GAME_MODE_WIDTH),
                    glutGameModeGet(GLUT_GAME_MODE_HEIGHT),
                    glutGameModeGet(GLUT_GAME_MODE_PIXEL_DEPTH),
                    glutGameModeGet(GLUT_GAME_MODE_REFRESH_RATE));
    } else {
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
