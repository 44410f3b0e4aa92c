// The game's start: GLUT, the game mode or its full-screen fallback window (also when
// the desktop refuses the mode it offered), the render context and the seven callbacks;
// and the idle callback, which reads the pads before each frame's update.
#include <GL/freeglut.h>

#include <cstdio>

#include "app/app.h"
#include "app/console.h"
#include "app/gamepad.h"
#include "game/game.h"
#include "render/render.h"

void startGame(int& argc, char** argv) {
    connectConsole();
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
    glutIdleFunc(playFrame);
}

void playFrame() {
    readGamepads();
    frameUpdate();
}
